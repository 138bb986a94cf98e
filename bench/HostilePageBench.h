#pragma once

class BenchReporter;

// The page path over hostile pages and over ordinary pages of the same
// sizes, for both sites.
void RegisterHostilePageBenchmarks();

// One line per site and page kind: time per MiB at each size, its ratio to
// the ordinary page's, the peak heap per page byte, and whether the kind
// stays within its targets.
void PrintHostilePageTable(const BenchReporter& report);

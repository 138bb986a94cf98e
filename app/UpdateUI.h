#pragma once

// Keeps command controls in step with the program's state. The main dialog has
// no menu or tool bar whose items would need it, so it holds nothing yet.
class CUpdateUI {};

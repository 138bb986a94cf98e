#!/usr/bin/python3
"""bench-peer.py RUNS: the Python peer of the window benchmark. Makes the
twelve requests of one search of the default keywords with both sites and both
kinds ticked (city bj) with urllib, reads each page with lxml and sorts the
advertisements newest first, as the program does. One untimed run first; prints
each timed run's milliseconds, then "median MS ms, ROWS rows"."""
import gzip
import os
import statistics
import sys
import time
import urllib.request

import lxml.html

KEYWORDS = ["小区1", "小区2", "小区3"]
SITE_A = os.environ.get("NESTARI_SITEA_DOMAIN", "sitea.example")
SITE_B = os.environ.get("NESTARI_SITEB_DOMAIN", "siteb.example")


def requests():
    for keyword in KEYWORDS:
        key = "".join("%%%02X" % byte for byte in keyword.encode())
        yield keyword, "A", f"http://bj.{SITE_A}/nestari/0/?final=1&key={key}"
        yield keyword, "A", f"http://bj.{SITE_A}/hezu/0/?final=1&key={key}"
        yield keyword, "B", f"http://bj.{SITE_B}/fang1/a1m1/_{key}/"
        yield keyword, "B", f"http://bj.{SITE_B}/fang3/a1/_{key}/"


def fetch(url):
    request = urllib.request.Request(url, headers={"User-Agent": "Mozilla/5.0", "Accept-Encoding": "gzip"})
    with urllib.request.urlopen(request, timeout=20) as response:
        body = response.read()
        if response.headers.get("Content-Encoding") == "gzip":
            body = gzip.decompress(body)
    return body


def squeeze(text):
    return "".join(text.split())


def site_a(page, keyword):
    for row in page.xpath('//table[@class="tbimg" or @class="tblist"]/tr'):
        anchor = row.xpath('td[@class="t"]/a[@class="t"]')
        cells = row.xpath("td")
        if not anchor or len(cells) < 3:
            continue
        price = squeeze(row.xpath('string(td[@class="tc"]/b)')) or "面议"
        yield (anchor[0].text_content().strip(), price, squeeze(cells[-1].text_content()),
               anchor[0].get("href"), keyword)


def site_b(page, keyword):
    path = ('//div[@id="wrapper"]/div[@id="content"]/div[@class="list_border"]/div[@class="list"]'
            '/dl[@class="list_noimg"]')
    for block in page.xpath(path):
        anchor = block.xpath('dt[@class="clr"]/a')
        if not anchor:
            continue
        yield (squeeze(anchor[0].text_content()), block.xpath('string(dd[@class="price"])').strip(),
               squeeze(block.xpath('string(dd[@class="time"])')), f"http://bj.{SITE_B}" + anchor[0].get("href"),
               keyword)


def age(listing):
    date = listing[2]
    for rank, marker in enumerate(("分钟", "小时")):
        if date.endswith(marker) and date[: -len(marker)].isdigit():
            return (rank, int(date[: -len(marker)]))
    month, _, day = date.partition("-")
    return (2, -(int(month) * 100 + int(day))) if month.isdigit() and day.isdigit() else (3, 0)


def search():
    listings = []
    for keyword, site, url in requests():
        page = lxml.html.fromstring(fetch(url))
        listings.extend((site_a if site == "A" else site_b)(page, keyword))
    listings.sort(key=age)
    return len(listings)


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    search()
    times = []
    for run in range(1, runs + 1):
        start = time.perf_counter()
        rows = search()
        times.append((time.perf_counter() - start) * 1000)
        print(f"run {run}: {times[-1]:.1f} ms")
    print(f"median {statistics.median(times):.1f} ms, {rows} rows")


if __name__ == "__main__":
    main()

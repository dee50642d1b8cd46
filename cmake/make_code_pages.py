#!/usr/bin/env python3
"""Writes the tables of the Windows code pages Ordalis reads, from Python's
own codecs (Microsoft's mappings), as a C++ source file.

Usage: make_code_pages.py OUTPUT.cpp

Single-byte pages give each byte its 16-bit code; a byte the page leaves
unassigned keeps its own value. Each byte also gets its code's place among
the page's codes, so that keys order by their bytes alone. Double-byte pages give each byte that is a
character on its own its code the same way, and each lead byte a row of the
codes of its pairs with trail bytes 0x40 to 0xFF, 0 where the page assigns
no character to the pair.
"""
import sys

SINGLE = [874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258]
DOUBLE = [932, 936, 949, 950]
FIRST_TRAIL = 0x40


def decode(page, data):
    try:
        text = data.decode(f"cp{page}")
    except UnicodeDecodeError:
        return None
    return ord(text) if len(text) == 1 else None


def name(page):
    return "Windows-1252" if page == 1252 else f"cp{page}"


def codes(values):
    return ",".join(str(v) for v in values)


def main(output):
    out = ["// Made by cmake/make_code_pages.py at build time; do not edit.",
           '#include "text/code_page_tables.h"', "", "namespace ordalis {", "namespace {", ""]
    singles = []
    for page in SINGLE:
        table = [decode(page, bytes([b])) for b in range(256)]
        table = [b if c is None else c for b, c in enumerate(table)]
        ranked = sorted(table)
        places = [ranked.index(c) for c in table]  # Bytes of one code share a place.
        out.append(f"constexpr SingleBytePage kCp{page} = {{{page}, \"{name(page)}\",")
        out.append(f"    {{{codes(table)}}},")
        out.append(f"    {{{codes(places)}}}}};")
        singles.append(page)
    for page in DOUBLE:
        single = []
        rows = []
        lead_row = [0] * 256
        for b in range(256):
            pairs = [decode(page, bytes([b, t])) for t in range(FIRST_TRAIL, 256)]
            if any(pairs):
                rows.append([c or 0 for c in pairs])
                lead_row[b] = len(rows)
            code = decode(page, bytes([b]))
            single.append(b if code is None else code)
        out.append(f"constexpr char16_t kCp{page}Rows[][{256 - FIRST_TRAIL}] = {{")
        out.extend(f"    {{{codes(row)}}}," for row in rows)
        out.append("};")
        out.append(f"constexpr DoubleBytePage kCp{page} = {{{page}, \"{name(page)}\",")
        out.append(f"    {{{codes(single)}}},")
        out.append(f"    {{{codes(lead_row)}}}, kCp{page}Rows}};")
    out += ["", "}  // namespace", ""]
    out.append("const SingleBytePage* FindSingleBytePage(int number) {")
    out.append("  for (const SingleBytePage* page : {" +
               ", ".join(f"&kCp{p}" for p in SINGLE) + "}) {")
    out.append("    if (page->number == number) return page;")
    out.append("  }")
    out.append("  return nullptr;")
    out.append("}")
    out.append("")
    out.append("const DoubleBytePage* FindDoubleBytePage(int number) {")
    out.append("  for (const DoubleBytePage* page : {" +
               ", ".join(f"&kCp{p}" for p in DOUBLE) + "}) {")
    out.append("    if (page->number == number) return page;")
    out.append("  }")
    out.append("  return nullptr;")
    out.append("}")
    out += ["", "}  // namespace ordalis", ""]
    with open(output, "w", encoding="ascii") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main(sys.argv[1])

#!/usr/bin/env python3
"""Writes the tables of the Windows code pages Ordalis reads as a C++ source
file, from the code page files Wine ships (Debian's libwine package puts them
in /usr/share/wine/nls), which hold Microsoft's own tables: what
MultiByteToWideChar reads each byte and each pair of bytes as.

Usage: make_code_pages.py NLS_FOLDER OUTPUT.cpp

The output is checked in (src/text/code_page_tables.cpp), so that a build
needs neither Wine nor Python. Run this again only to add a page.

A code page file holds, after a header of 13 16-bit words (the page, the
largest character size, the default characters, the lead byte ranges), the
offset of the table back to bytes, then each byte's character; a flag and
maybe 256 words of glyphs; and for a double-byte page, for each byte the
offset of the 256 characters it leads, or 0 for a byte that leads none.
Those of a second byte below 0x40 are all the default character, and are
left out.
"""
import struct
import sys

SINGLE = [874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258]
DOUBLE = [932, 936, 949, 950]
FIRST_TRAIL = 0x40  # No page assigns a pair with a lower second byte.


def name(page):
    return "Windows-1252" if page == 1252 else f"cp{page}"


def read_page(folder, page):
    """The default character and the bytes that write it, each byte's
    character, and for each lead byte the 256 characters of the pairs it
    leads."""
    data = open(f"{folder}/c_{page}.nls", "rb").read()
    words = struct.unpack(f"<{len(data) // 2}H", data[:len(data) // 2 * 2])
    header = words[0]
    assert words[1] == page, f"c_{page}.nls holds page {words[1]}"
    default = (words[4], words[6])
    at = header + 1  # Past the offset of the table back to bytes.
    single = list(words[at:at + 256])
    at += 256
    glyphs = words[at]
    at += 1
    if glyphs:
        at += 256  # Glyphs, which MultiByteToWideChar reads only when asked.
    double_byte = words[at]
    at += 1
    if not double_byte:
        return default, single, {}
    offsets = words[at:at + 256]  # From `at`, in words.
    rows = {b: list(words[at + offsets[b]:at + offsets[b] + 256]) for b in range(256) if offsets[b]}
    return default, single, rows


def numbers(values):
    return ",".join(str(v) for v in values)


def main(folder, output):
    out = ["// Made by cmake/make_code_pages.py from Wine's code page files; do not edit.",
           "// clang-format off",
           '#include "text/code_page_tables.h"', "", "namespace ordalis {", "namespace {", ""]
    for page in SINGLE:
        _, table, _ = read_page(folder, page)
        ranked = sorted(table)
        places = [ranked.index(c) for c in table]  # Bytes of one character share a place.
        out.append(f'constexpr SingleBytePage kCp{page} = {{{page}, "{name(page)}",')
        out.append(f"    {{{numbers(table)}}},")
        out.append(f"    {{{numbers(places)}}}}};")
    for page in DOUBLE:
        (default, default_bytes), single, rows = read_page(folder, page)
        leads = sorted(rows)
        lead_row = [leads.index(b) + 1 if b in rows else 0 for b in range(256)]
        out.append(f"constexpr char16_t kCp{page}Rows[][{256 - FIRST_TRAIL}] = {{")
        for lead in leads:
            assert all(c == default for c in rows[lead][:FIRST_TRAIL]), f"cp{page} {lead:02X}"
            out.append(f"    {{{numbers(rows[lead][FIRST_TRAIL:])}}},")
        out.append("};")
        out.append(f'constexpr DoubleBytePage kCp{page} = {{{page}, "{name(page)}", {default}, '
                   f'{default_bytes},')
        out.append(f"    {{{numbers(single)}}},")
        out.append(f"    {{{numbers(lead_row)}}}, kCp{page}Rows}};")
    out += ["", "}  // namespace", ""]
    for kind, pages in (("Single", SINGLE), ("Double", DOUBLE)):
        out.append(f"const {kind}BytePage* Find{kind}BytePage(int number) {{")
        out.append(f"  for (const {kind}BytePage* page : {{" +
                   ", ".join(f"&kCp{p}" for p in pages) + "}) {")
        out.append("    if (page->number == number) return page;")
        out.append("  }")
        out.append("  return nullptr;")
        out.append("}")
        out.append("")
    out += ["}  // namespace ordalis", ""]
    with open(output, "w", encoding="ascii") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

#!/usr/bin/env python3
"""Writes code_pages.txt, the reference the code page tests compare with: run once, from this
folder, as "python3 code_pages.py > code_pages.txt". The mappings are Python's codecs and its
Unicode casing, a source apart from the system's converters that the program uses."""

PAGES = [1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258,
         720, 737, 775, 850, 852, 857, 862, 866]

# Where Unicode's full case mapping is more than one character, the one-to-one mapping of
# UnicodeData.txt holds; of the characters these code pages hold, only this one has one.
SIMPLE_CASE = {"\u0130": ("\u0130", "i")}


def byte_of(page, character):
    try:
        encoded = character.encode(page)
    except UnicodeEncodeError:
        return None
    return encoded[0] if len(encoded) == 1 else None


def cased(page, byte, character, mapping):
    if character in SIMPLE_CASE:
        result = SIMPLE_CASE[character][0 if mapping is str.upper else 1]
    else:
        result = mapping(character)
    if len(result) != 1:
        return byte
    mapped = byte_of(page, result)
    return byte if mapped is None else mapped


def main():
    print("# Every byte of every supported code page: PAGE BYTE CODE-POINT UPPER LOWER, in hex;")
    print("# CODE-POINT is \"-\" where the code page leaves the byte undefined. UPPER and LOWER are")
    print("# the bytes of the letter's other case in the same code page, or the byte itself.")
    print("# Made by code_pages.py from Python's codecs; do not edit by hand.")
    for number in PAGES:
        page = "cp%d" % number
        for byte in range(256):
            try:
                character = bytes([byte]).decode(page)
            except UnicodeDecodeError:
                print("%d %02X - %02X %02X" % (number, byte, byte, byte))
                continue
            upper = cased(page, byte, character, str.upper)
            lower = cased(page, byte, character, str.lower)
            print("%d %02X %04X %02X %02X" % (number, byte, ord(character), upper, lower))


main()

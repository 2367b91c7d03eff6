#!/usr/bin/python3
"""Reads a table with Python's dbfread, as an independent reader.

read_dbfread.py TABLE FIELD... prints, for the live records in file order
and then the deleted ones, "R <deleted 0|1> <FIELD value>..." with every
value as hex of its UTF-8 text (text decoded by the table's language byte;
dates as YYYYMMDD).
"""
import datetime
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return ''
    if isinstance(value, datetime.date):
        return value.strftime('%Y%m%d')
    return str(value)


def main():
    path, fields = sys.argv[1], sys.argv[2:]
    table = DBF(path, char_decode_errors='strict')
    for deleted, records in (('0', table.records), ('1', table.deleted)):
        for record in records:
            values = [text(record[name]).encode('utf-8').hex() for name in fields]
            print('\t'.join(['R', deleted] + values))


if __name__ == '__main__':
    main()

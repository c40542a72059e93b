#!/usr/bin/python3
"""Writes ".xls" workbooks (Excel 97-2003) with python3-xlwt.

  xls_workbook.py --sample app/sample.xls
      the sample workbook of the house import: the titles of its column map and two example
      houses (run once; the file is committed and copied beside the program by the build)

  xls_workbook.py --json OUT.xls < description.json
      a workbook described on standard input (the tests' fixtures):
      {"sheets": [{"name": "房屋", "rows": [["小区名称", 101, {"date": "2021-05-01"}, null], ...]}],
       "password": false}
      A cell is a text, a number, {"date": "yyyy-mm-dd"} or null (left empty). With "password"
      the workbook is marked as protected by a password (its records read as obfuscated).
"""
import datetime
import io
import json
import struct
import sys

import xlwt

# The column titles of the house import's map, in its order.
SAMPLE_TITLES = [
    "小区名称", "楼幢号", "单元", "房间编号", "房型", "楼层", "房间朝向", "当前状态", "建筑面积", "实用面积",
    "产权状况", "房屋备注", "合同编号", "合同金额", "合同日期", "合同类型", "业主姓名", "性别", "联系电话",
    "联系手机", "身份证号", "业主单位", "业主住址", "合同备注", "住户姓名", "入住日期", "住户联系电话",
    "住户联系手机", "住户身份证号", "从事行业", "住户备注", "实住人数",
]

SAMPLE_HOUSES = [
    ["阳光小区", "1号楼", "1单元", "101", "三室一厅", "1", "南北", "已入住", 85.5, 70, "商品房", "",
     "HT-2021-001", 360000, {"date": "2021-05-01"}, "购房合同", "张伟", "男", "0755-83201234",
     "13800138000", "440301198001011234", "", "", "", "张伟", {"date": "2021-06-01"}, "0755-83201234",
     "13800138000", "440301198001011234", "教师", "", 3],
    ["阳光小区", "1号楼", "1单元", "102", "两室一厅", "1", "南", "已销售", 64.2, 52.8, "商品房", "",
     "HT-2021-002", 280000, {"date": "2021-05-08"}, "购房合同", "李娜", "女", "", "13900139000", "", "",
     "", "", "", None, "", "", "", "", "", 0],
]


def write_book(sheets):
    book = xlwt.Workbook(encoding="utf-8")
    date_style = xlwt.easyxf(num_format_str="YYYY-MM-DD")
    for sheet in sheets:
        ws = book.add_sheet(sheet["name"], cell_overwrite_ok=True)
        for r, row in enumerate(sheet["rows"]):
            for c, cell in enumerate(row):
                if cell is None:
                    continue
                if isinstance(cell, dict) and "date" in cell:
                    ws.write(r, c, datetime.datetime.strptime(cell["date"], "%Y-%m-%d"), date_style)
                else:
                    ws.write(r, c, cell)
    out = io.BytesIO()
    book.save(out)
    return out.getvalue()


def mark_password(data):
    """Puts a FILEPASS record (XOR obfuscation) where the WRITEACCESS record stands, padded with an
    ignored record to the same length, so that every reader sees a workbook with a password."""
    at = data.find(b"\x5c\x00\x70\x00")
    if at < 0:
        raise SystemExit("no WRITEACCESS record to replace")
    filepass = struct.pack("<HHHHH", 0x002F, 6, 0, 0x1234, 0x5678)
    filler = struct.pack("<HH", 0x00EF, 116 - len(filepass) - 4) + b"\x00" * (116 - len(filepass) - 4)
    return data[:at] + filepass + filler + data[at + 116:]


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--sample":
        data = write_book([{"name": "Sheet1", "rows": [SAMPLE_TITLES] + SAMPLE_HOUSES}])
    elif len(sys.argv) == 3 and sys.argv[1] == "--json":
        spec = json.load(sys.stdin)
        data = write_book(spec["sheets"])
        if spec.get("password"):
            data = mark_password(data)
    else:
        raise SystemExit(__doc__)
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()

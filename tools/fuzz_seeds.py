#!/usr/bin/env python3
"""Writes the seed corpus of the file-reader fuzz targets into tests/fuzz/corpus/<reader>/:
small valid files made with Pillow, and the damaged files that once made a reader crash, hang,
read past its buffer or allocate gigabytes (kept so they stay fixed)."""
import io
import os
import struct
import zlib

from PIL import Image

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'fuzz', 'corpus')


def put(reader, name, data):
    folder = os.path.join(ROOT, reader)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def pillow(image, fmt, **options):
    buf = io.BytesIO()
    image.save(buf, fmt, **options)
    return buf.getvalue()


def sample(mode, size=(13, 7)):
    im = Image.new(mode, size)
    im.putdata([((x * 37 + y * 11) % 256) if mode in ('L', 'P') else
                ((x * 37) % 256, (y * 31) % 256, ((x + y) * 17) % 256)
                for y in range(size[1]) for x in range(size[0])])
    return im


def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png(width, height, depth, colour, *chunks):
    ihdr = png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, depth, colour, 0, 0, 0))
    return b'\x89PNG\r\n\x1a\n' + ihdr + b''.join(chunks) + png_chunk(b'IEND', b'')


def bmp(offset, header_size, width, height, bits, compression, colours, rest, file_size=None):
    info = struct.pack('<IiiHHIIiiII', header_size, width, height, 1, bits, compression, 0, 3780, 3780,
                       colours, 0)
    size = file_size if file_size is not None else 14 + len(info) + len(rest)
    return b'BM' + struct.pack('<IHHI', size & 0xFFFFFFFF, 0, 0, offset) + info + rest


# GIF
put('gif', 'palette.gif', pillow(sample('P'), 'GIF'))
put('gif', 'interlaced.gif', pillow(sample('P', (9, 17)), 'GIF', interlace=True))
frames = [sample('P'), sample('P').rotate(180)]
put('gif', 'animated.gif', pillow(frames[0], 'GIF', save_all=True, append_images=frames[1:], loop=0))
# A 51-byte file whose one frame is 49924 × 1217 pixels with almost no data: writing it back once
# took half a minute in the encoder.
huge = (b'GIF89a' + struct.pack('<HHBBB', 8, 8, 0x80, 0, 0) + b'\x00\x00\x00\xff\xff\xff' +
        b',' + struct.pack('<HHHHB', 0, 0, 49924, 1217, 0) + b'\x02\x02\x44\x01\x00;')
put('gif', 'huge-frame.gif', huge + b'\x00' * (51 - len(huge)) if len(huge) < 51 else huge)

# PNG
put('png', 'rgb.png', pillow(sample('RGB'), 'PNG'))
put('png', 'grey.png', pillow(sample('L'), 'PNG'))
put('png', 'palette.png', pillow(sample('P'), 'PNG', transparency=3))
put('png', 'interlaced.png', pillow(sample('RGBA'), 'PNG', optimize=False))
rows = zlib.compress(b'\x00\x1b')
put('png', 'grey2-trns.png', png(4, 1, 2, 0, png_chunk(b'tRNS', b'\x00\x03'), png_chunk(b'IDAT', rows)))
put('png', 'grey2-trns-beyond.png', png(4, 1, 2, 0, png_chunk(b'tRNS', b'\x74\x45'), png_chunk(b'IDAT', rows)))
# 68 bytes promising 11585 × 11585 16-bit RGBA: over a gigabyte of planes.
put('png', 'huge-planes.png', png(11585, 11585, 16, 6, png_chunk(b'IDAT', zlib.compress(b'\x00'))))

# BMP
put('bmp', 'rgb24.bmp', pillow(sample('RGB'), 'BMP'))
put('bmp', 'palette8.bmp', pillow(sample('P'), 'BMP'))
put('bmp', 'header-size-wraps.bmp', bmp(0, 0xFFFFFFF2, 2, 2, 24, 0, 0, b'\x00' * 16))
put('bmp', 'offset-zero-short-palette.bmp', bmp(0, 40, 2, 2, 8, 0, 1, b'\x01\x02\x03\x00'))
put('bmp', 'bitfields-24.bmp', bmp(0, 40, 2, 2, 24, 3, 0, b'\xff' * 28))
put('bmp', 'rle-65535.bmp', bmp(0, 40, 65535, 65535, 8, 1, 1, b'\x00\x00\x00\x00\x00\x01'))
put('bmp', 'size-4gb.bmp', b'BM\xff\xff\xff\xff\x00\x00\x00\x00\x1a\x00\x00\x00')

# JPEG
jpeg = pillow(sample('RGB', (16, 16)), 'JPEG', quality=80)
put('jpeg', 'rgb.jpg', jpeg)
put('jpeg', 'grey.jpg', pillow(sample('L', (16, 16)), 'JPEG'))
put('jpeg', 'truncated.jpg', jpeg[:len(jpeg) // 2])

# XML
decl = b'<?xml version="1.0" encoding="utf-8" standalone="no"?>'
put('xml', 'report.xml', decl + b'<report a="1"><page ld="0"><band t="10"/></page><memo>hi</memo></report>')
put('xml', 'blanks.xml', decl + b'<r><a x="1" /  ><b   y="2"  /></r>')
put('xml', 'markers.xml', decl + b'<r><a x="1" ld="0" ld="0"/><c ld="0"x="1" LD="0"/></r>')
put('xml', 'slash-name.xml', decl + b'<r><a/ x="1"></a></r>')
put('xml', 'comment.xml', decl + b'<!-- x ---><r><!-- <c> --><c/></r>')

# Ini
put('ini', 'config.ini', b'[config]\r\nds=data\\\r\nibak=1\r\n; note\r\n[Other]\r\nk = v\r\n')
put('ini', 'two-boms.ini', b'\xef\xbb\xbf\xef\xbb\xbf; note\r\n[config]\r\nds=x\r\n')
put('ini', 'gbk.ini', b'[\xd6\xd0]\nName=\xd6\xd0\n')
put('ini', 'lf-and-cr.ini', b'[config]\rds=a\nx=\r\n[config]\nds=b')

// Reads a GIF file with Pillow and giftext, the independent decoders the GIF tests compare against.
#pragma once

#include "CodecTestTools.h"

#include <gtest/gtest.h>
#include <sstream>

namespace giftest {

struct FrameDump {
    int Width = 0, Height = 0;
    std::string Mode;
    long Duration = -1;
    int Transparency = -1;
    int Disposal = -1;
    std::string CommentHex;
    std::string RgbHex, IndexHex, PaletteHex;
};

struct GifDump {
    bool Ok = false;
    std::string Error;
    long Loop = -1;                                            // -1: no loop extension
    std::vector<std::pair<std::string, std::string>> Comments; // every comment: hex, sub-block sizes
    std::vector<FrameDump> Frames;
};

inline const char* PillowGifScript = R"PY(
import sys
from PIL import Image, GifImagePlugin
GifImagePlugin.LOADING_STRATEGY = GifImagePlugin.LoadingStrategy.RGB_AFTER_DIFFERENT_PALETTE_ONLY
d = sys.argv[1]
im = Image.open(d + '/in.gif')
out = ['loop %s' % im.info.get('loop', -1)]
i = 0
while True:
    try:
        im.seek(i)
    except EOFError:
        break
    im.load()
    pal = im.getpalette() or []
    out.append('frame %d %d %s %s %s %s %s' % (im.size[0], im.size[1], im.mode, im.info.get('duration', -1),
               im.info.get('transparency', -1) if im.mode == 'P' else -1, im.disposal_method,
               im.info.get('comment', b'').hex() or '-'))
    out.append('rgb ' + (im.convert('RGB').tobytes().hex() or '-'))
    out.append('idx ' + ((im.tobytes().hex() or '-') if im.mode in ('P', 'L') else '-'))
    out.append('pal ' + (bytes(pal).hex() or '-'))
    i += 1
# The comment extensions in file order, walked by their sub-blocks, with the sizes of those blocks.
data = open(d + '/in.gif', 'rb').read()
pos = 13
if data[10] & 0x80:
    pos += 3 * (2 << (data[10] & 7))
def blocks():
    global pos
    body, sizes = b'', []
    while pos < len(data):
        n = data[pos]
        pos += 1
        if n == 0:
            break
        body += data[pos:pos + n]
        sizes.append(n)
        pos += n
    return body, sizes
while pos < len(data):
    b = data[pos]
    pos += 1
    if b == 0x3B:
        break
    if b == 0x21:
        label = data[pos]
        pos += 1
        body, sizes = blocks()
        if label == 0xFE:
            out.append('comment %s %s' % (body.hex() or '-', ','.join(map(str, sizes)) or '-'))
    elif b == 0x2C:
        flags = data[pos + 8]
        pos += 9
        if flags & 0x80:
            pos += 3 * (2 << (flags & 7))
        pos += 1
        blocks()
open(d + '/dump.txt', 'w').write('\n'.join(out) + '\n')
)PY";

inline GifDump DumpWithPillow(const codectest::TempFolder& dir, const std::vector<unsigned char>& gif) {
    GifDump dump;
    codectest::WriteFile(dir / "in.gif", gif);
    std::string output;
    if (codectest::Python().empty()) {
        dump.Error = "no python3 with Pillow";
        return dump;
    }
    if (codectest::RunPython(dir, PillowGifScript, &output) != 0) {
        dump.Error = output;
        return dump;
    }
    std::istringstream in(codectest::ReadText(dir / "dump.txt"));
    std::string line;
    auto field = [](const std::string& s) { return s == "-" ? std::string() : s; };
    while (std::getline(in, line)) {
        std::istringstream ls(line);
        std::string key;
        ls >> key;
        if (key == "loop") {
            ls >> dump.Loop;
        } else if (key == "frame") {
            FrameDump f;
            std::string comment;
            ls >> f.Width >> f.Height >> f.Mode >> f.Duration >> f.Transparency >> f.Disposal >> comment;
            f.CommentHex = field(comment);
            dump.Frames.push_back(f);
        } else if (key == "rgb" || key == "idx" || key == "pal") {
            std::string value;
            ls >> value;
            if (dump.Frames.empty()) continue;
            FrameDump& f = dump.Frames.back();
            (key == "rgb" ? f.RgbHex : key == "idx" ? f.IndexHex : f.PaletteHex) = field(value);
        } else if (key == "comment") {
            std::string value, sizes;
            ls >> value >> sizes;
            dump.Comments.emplace_back(field(value), sizes);
        }
    }
    dump.Ok = true;
    return dump;
}

inline std::string HexOf(const std::string& text) {
    return codectest::Hex(std::vector<unsigned char>(text.begin(), text.end()));
}

// giftext's listing of the file (its structure as giflib reads it).
inline std::string GifText(const codectest::TempFolder& dir, const std::vector<unsigned char>& gif) {
    codectest::WriteFile(dir / "text.gif", gif);
    std::string output;
    codectest::Run("giftext " + (dir / "text.gif"), &output);
    return output;
}

} // namespace giftest

// GIF reader: load, decode every frame's bitmap, write back; then encode the first frame's pixels
// anew, so the LZW encoder meets whatever sizes and contents the decoder produced.
#include "FuzzTarget.h"
#include "controls/KxGIF.h"

#include <vector>

ORV_FUZZ_TARGET(gif) {
    TGIFImage gif;
    gif.LoadFromBytes(std::vector<Byte>(data, data + size));
    for (Integer i = 0; i < gif.FrameCount(); ++i)
        gif.FrameAt(i)->FrameBitmap();
    gif.SaveToBytes();
    if (gif.FrameCount() > 0) {
        TGIFImage again;
        again.Assign(gif.FrameAt(0)->FrameBitmap());
        again.SaveToBytes();
    }
}

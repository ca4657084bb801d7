// One picture decoded on a thread of its own while the window is being made:
// the banner belongs to the first picture, and decoding it takes as long as
// making several controls.
#pragma once

#include "resources/form1_layout.h"
#include "win32/handles.h"

#include <windows.h>

class ArtInAdvance {
public:
    ArtInAdvance() = default;
    ~ArtInAdvance(); // waits for the thread
    ArtInAdvance(const ArtInAdvance&) = delete;
    ArtInAdvance& operator=(const ArtInAdvance&) = delete;

    // Starts decoding the picture at that size (as loadArt would).
    void start(Picture picture, int width, int height);
    // The picture at that size, as loadArt gives it: the one decoded in
    // advance when it is the one started, else decoded now. The caller owns it.
    HBITMAP take(Picture picture, int width, int height);

private:
    static DWORD WINAPI decode(void* self);

    Picture picture_ = Picture::None;
    int width_ = 0;
    int height_ = 0;
    KernelHandle thread_;
    Bitmap bitmap_; // written by the thread, read once it has ended
};

#include "art/win32/art_in_advance.h"

#include "art/win32/art_bitmap.h"

ArtInAdvance::~ArtInAdvance() {
    if (thread_)
        WaitForSingleObject(thread_.get(), INFINITE);
}

void ArtInAdvance::start(Picture picture, int width, int height) {
    if (thread_)
        return;
    picture_ = picture;
    width_ = width;
    height_ = height;
    // Without a thread the picture is decoded when it is taken.
    thread_.reset(CreateThread(nullptr, 0, decode, this, 0, nullptr));
}

DWORD WINAPI ArtInAdvance::decode(void* self) {
    auto* art = static_cast<ArtInAdvance*>(self);
    art->bitmap_.reset(loadArt(art->picture_, art->width_, art->height_));
    return 0;
}

HBITMAP ArtInAdvance::take(Picture picture, int width, int height) {
    if (thread_ && picture == picture_ && width == width_ && height == height_) {
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
        return bitmap_.release();
    }
    return loadArt(picture, width, height);
}

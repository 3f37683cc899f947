#pragma once
// Resources of quoxel.exe (shared by the resource script and the code).
#define IDI_QUOXEL 1
// Pictures come in a frame for each screen scale (PictureFrameForDpi): 100, 125, 150 and 200 %.
#define IDR_LOGO 100  // the logo's frames: 100 to 103
// The module pictures lie frame by frame, each frame a block of IDR_MODULE_FRAME_STEP numbers: picture
// N (app/res/module<N>.png and its -125, -150 and -200 frames) is IDR_MODULE(frame, N), 1000 + N at
// 100 %, 1100 + N at 125 %, and so on. The build names each picture in the script by that id
// (cmake/WindowsProgram.cmake), so that up to IDR_MODULE_FRAME_STEP tools never share an id.
#define IDR_MODULE_FIRST 1000
#define IDR_MODULE_FRAME_STEP 100
#define IDR_MODULE(frame, picture) (IDR_MODULE_FIRST + (frame)*IDR_MODULE_FRAME_STEP + (picture))

#ifndef RC_INVOKED
#include "utilities/DpiScale.h"
static_assert(IDR_LOGO + kPictureFrameCount <= IDR_MODULE_FIRST, "the logo's frames run into the modules'");
static_assert(IDR_MODULE(kPictureFrameCount, 0) <= 0xFFFF, "resource ids are 16-bit");
#endif

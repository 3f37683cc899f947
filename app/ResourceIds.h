#pragma once
// Resources of quoxel.exe (shared by the resource script and the code).
#define IDI_QUOXEL 1
// Pictures come in a frame for each screen scale (PictureFrameForDpi): 100, 125, 150 and 200 %.
#define IDR_LOGO 100          // the logo's frames: 100 to 103
#define IDR_MODULE_FIRST 110  // eight module pictures a frame: 110 to 117 at 100 %, then 120, 130, 140
#define IDR_MODULE_FRAME_STEP 10

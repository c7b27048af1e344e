// Numbers of the program's resources.
#pragma once

#define IDS_TITLE 1
#define IDS_WARNING 2
#define IDS_PROMPT 5
#define IDS_ASK_SAVE 6
#define IDS_DAMAGED 62
#define IDS_NO_INPUT_DEVICE 84
#define IDS_SPLASH_NAME 183
#define IDS_TIPS 208
#define IDS_SHOW_TIPS 209
#define IDS_HIGHER_VERSION 390
#define IDS_TEXT_LAYER_TRANSFORM 434

#define IDP_PROGRAM_PALETTE 1
#define IDP_GREY_PALETTE 2

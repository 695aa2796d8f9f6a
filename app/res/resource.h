#pragma once
// Resource identifiers, shared by the resource script and the code.
#define IDI_LOGO 1
// The window's images at 96 DPI.
#define IDB_QUESTION 101
#define IDB_TICK 102
#define IDB_CROSS 103
#define IDB_LOGO 104
// Each image is also drawn for 120, 144 and 192 DPI, at its 96-DPI id plus one, two and three
// steps: the image for scale index i (0..3 for 96, 120, 144, 192) is id + IDB_SCALE_STEP * i.
#define IDB_SCALE_STEP 10
#define IDB_QUESTION_120 111
#define IDB_TICK_120 112
#define IDB_CROSS_120 113
#define IDB_LOGO_120 114
#define IDB_QUESTION_144 121
#define IDB_TICK_144 122
#define IDB_CROSS_144 123
#define IDB_LOGO_144 124
#define IDB_QUESTION_192 131
#define IDB_TICK_192 132
#define IDB_CROSS_192 133
#define IDB_LOGO_192 134

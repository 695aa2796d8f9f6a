#pragma once
// Resource identifiers, shared by the resource script and the code.
#define IDI_LOGO 1
#define IDB_QUESTION 101
#define IDB_TICK 102
#define IDB_CROSS 103
#define IDB_LOGO 104

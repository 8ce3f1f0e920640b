#pragma once

#define IDI_APP 1
#define IDB_SPLASH 101

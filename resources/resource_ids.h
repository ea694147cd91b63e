#pragma once
// Resource identifiers of the plug-in's templates and icon.
#define IDI_STATS 110
#define IDD_CABRILLO 101
#define IDD_SETUP 107
#define IDD_DXCC 108
#define IDD_RDA 111

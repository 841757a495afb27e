// Ids of the executable's resources, shared by resources.rc and the program's code.
// Macros, since the resource compiler reads this file too.
#ifndef DRIVERSETUP_RESOURCE_IDS_H
#define DRIVERSETUP_RESOURCE_IDS_H

// The icon group: LoadIconW(instance, MAKEINTRESOURCEW(IDI_DRIVERSETUP)).
#define IDI_DRIVERSETUP 1

#endif

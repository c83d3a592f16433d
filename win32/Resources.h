#ifndef TAKTORA_PLATFORM_WIN32_RESOURCES_H
#define TAKTORA_PLATFORM_WIN32_RESOURCES_H

// Read by the resource compiler too, hence a macro. Explorer shows the icon group with the lowest id as the
// program's icon, so the program icon keeps id 1.
#define TAKTORA_ICON 1

#endif

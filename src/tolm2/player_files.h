// What the platform does with the player's files beyond the game's own saves: whether they
// last, handing a file to the player, and watch files the player hands over.
#pragma once

#include <string>

// The title, when shown: false where records will not outlast this run (a browser that
// refuses or has filled its storage), so that the title can say so.
bool Tolm_keepsRecords();
// The scores screen: whether Tolm_offerFile hands files to the player (a page's download).
// False on the desktop, where the files already lie in the player's folder.
bool Tolm_offersFiles();
// The scores screen, on D: hands file to the player under its own name. A file that cannot
// be read is logged; nothing else happens.
void Tolm_offerFile(const std::string& file);
// The title, each frame: a watch file the player has handed over (dropped on the page or
// chosen) since the last call, or empty. Always empty on the desktop.
std::string Tolm_takeHandedFile();

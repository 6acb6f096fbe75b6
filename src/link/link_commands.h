// Menu commands and menu-opening rules of the instrument link.
#pragma once

class Program;

void installLinkCommands(Program &p);

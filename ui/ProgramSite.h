#pragma once
// The listing site one program is built for. Only the program's entry knows
// it; the window hands it to the search run and names it in the caption.

#include "Text.h"

struct ProgramSite {
  Text siteBase;     // scheme and host, no trailing slash: the start of every address and link
  Text captionHost;  // the host the caption names
};

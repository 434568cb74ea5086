#pragma once

// The program's version as shown in the caption.
extern const char* const kVersionText;

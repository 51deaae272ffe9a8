#pragma once

namespace skelvane {

// Makes a console show the UTF-8 text the command line writes. Where terminals
// take UTF-8 already, nothing is done.
void UseUtf8Console();

}  // namespace skelvane

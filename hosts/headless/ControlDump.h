// The `dump` line: a dialog's control state as one line of JSON.
#pragma once

#include <string>

class CWnd;

// {"texts": {id: text}, "checked": [ids], "selected": {id: index}, "focus": id}. Controls
// without an id (labels and frames that never change) are left out.
std::string DumpControls(const CWnd& dialog);

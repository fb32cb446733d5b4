// What a person does to a dialog, turned into the messages the program sees. Both hosts go
// through these, so a click, a key, typing and a list choice reach the program the same way.
#pragma once

#include <string>

#include "platform/Types.h"

class CWnd;

// Clicks a button or radio button (an automatic radio button checks itself and clears the
// rest of its group); the button takes the focus. Hidden or disabled controls ignore clicks.
void ClickButton(CWnd& dialog, int id);
// Presses and releases a key; both go to the focused control, or to the dialog.
void PressAndReleaseKey(CWnd& dialog, UINT virtualKey);
// Replaces the text of an edit box, or of a combo box's edit field, as if typed there.
void TypeIntoControl(CWnd& dialog, int id, const std::string& text);
// Tells the program that the person has typed into an edit box or a combo box's edit field
// (the host's control already holds the new text).
void NotifyTextTyped(CWnd& dialog, int id);
// Picks entry `index` of a combo box's list.
void ChooseListEntry(CWnd& dialog, int id, int index);

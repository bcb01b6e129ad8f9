#pragma once

/// Qt 6.4 tells a screen reader of the selection and caret that a line edit
/// sets as Tab (or a label's Alt key) brings the focus to it, before it tells
/// of the focus; a reader (Orca) then takes the caret for the focus and says
/// only "tab". Every line edit of the program takes such a focus as a plain
/// one, and selects its text (with an input mask: goes to its start) right
/// after, once the focus has been told. Safe to call again.
void installFocusBeforeSelection();

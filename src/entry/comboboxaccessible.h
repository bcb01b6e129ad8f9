#pragma once

/// Gives every combo box of the program that takes no typing (the contest
/// window's lists) an accessible interface of the program's own that shows
/// its value as text. Qt 6.4 tells a screen reader the chosen entry only
/// through a selection, which it does not offer, so a reader named the box
/// and never its value; now it reads the value as the box gets the focus,
/// and hears each new one as the box changes. Safe to call again.
void installComboBoxAccessibility();

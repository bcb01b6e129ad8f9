#pragma once

/// Gives every line edit of the program (the entry fields and the dialogs'
/// fields alike) a text interface of the program's own. Qt 6.4's own one
/// never returns when a screen reader asks for the word or line at the end
/// of the text (the program hung on Ctrl+Left), and reports an empty
/// attribute run at the start, so readers cut the text one character short.
/// Text put in by assistive technology goes into an entry field as if
/// typed. Safe to call again.
void installLineEditAccessibility();

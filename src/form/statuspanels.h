#pragma once

class QLabel;
class QString;

/// Puts a counter into its status panel. A cut number would be a wrong
/// figure: a panel too narrow for its text grows, and the panels after it
/// move right, the width coming out of the last panel.
void setCounterText(QLabel *panel, QLabel *last, const QString &text);

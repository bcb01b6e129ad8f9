#pragma once

/// Makes the hand-made controls readable by assistive technology: the log
/// grid as a table, the status panels as a status bar. Safe to call again.
void installAccessibleFactory();

#pragma once

#include <Qt>

/// The six entry fields, and the push button shown in the button place.
enum class EntryField { HeardCall, HeardReport, HeardNumber, WorkedCall, WorkedReport, WorkedNumber, Button, None };

/// Where Enter, Up, Down or Esc in an entry field moves the focus: None when
/// the key does not move it. With reports skipped (RST ticked) the words
/// "number or report" of the tables mean the number field.
EntryField focusMove(int key, EntryField from, bool verticalLayout, bool reportsSkipped);

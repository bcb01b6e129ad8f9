#pragma once

/// What the program sets up once its QApplication exists: its name, Qt's own
/// texts in Russian, its faces and its font. Shared with the tests that look
/// at real windows.
void setUpApplication();

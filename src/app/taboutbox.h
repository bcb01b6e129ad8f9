#pragma once

#include <QDialog>

/// The address shown in the about box and written into ADIF files.
inline constexpr const char *kWebAddress = "https://vireok.example.org";

/// "О программе": name, version, web address, author, purpose.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

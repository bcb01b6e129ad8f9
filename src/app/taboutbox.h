#pragma once

#include <QDialog>

/// The address written into the ADIF files' header.
inline constexpr const char *kWebAddress = "https://vireok.example.org";

/// "О программе": name, version, author, purpose.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
};

#pragma once
// The fonts the program draws with, loaded from their files so that every machine
// draws the same: "Arial" is answered by Liberation Sans (the same metrics), with
// Arabic and Thai from their own faces.
#include <QStringList>

namespace Framework {

// The font files the program loads, in the order Arial's substitutes are tried.
QStringList ProgramFontFiles();
// Loads them and makes "Arial" fall back through them. Needs a QGuiApplication.
void LoadProgramFonts();
// The families those files hold (empty before they are loaded).
QStringList ProgramFontFamilies();

}  // namespace Framework

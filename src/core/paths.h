// Path helpers for names that come from files written on other systems:
// both '\' and '/' are accepted as folder delimiters.
#pragma once

#include <QString>

// The path with every '\' or '/' turned into the native delimiter; a name
// like ".\l" from a settings file becomes "./l" here.
QString NativePath(const QString& path);

// The folder part of a path (everything before the last delimiter, without
// it), "" when the path has no folder. The root keeps its delimiter ("/").
QString FileFolder(const QString& path);

// The file-name part of a path (everything after the last delimiter).
QString FileNamePart(const QString& path);

// The path with exactly one trailing native delimiter ("" stays "").
QString WithTrailingDelimiter(const QString& path);

#pragma once
// The errors of loading a solution or expanding its templates, worded as the tool
// prints them.

#include <QString>

#include "support/diagnostics.h"

struct XMLParseError;

/// A load error about subject (a file, "<file>:<line>", a template's or project's
/// name; empty for none). A message beginning with a blank reads on from the subject
/// ("/w/a.hzp does not exist"), as does a subject ending in one ("no template for
/// project App"); any other follows it after ": " ("T: project template not found").
ConversionError loadError(const QString& subject, const QString& message);

/// The XML syntax error of file, its line counted from 1 as editors count, and its
/// column where the parser names one ("/w/a.hzp: bad tagName line: 3",
/// "/w/a.hzp: invalid UTF-8 line: 3 column: 12"); why the file was not read, where
/// it was not ("/w/a.hzp: couldn't read /w/a.hzp").
ConversionError xmlSyntaxError(const QString& file, const XMLParseError& error);

// A small ICD-10-CM release for the edition tests: the hand-written sample data set under the
// published file names, as a folder and as the two zip archives the release comes in (made with
// the zip tool, as an archive from elsewhere would be), and edition files made from the sample
// data sets embedded in the test program.
#pragma once

#include "EditionFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes the sample release into AFolder: "Table and Index/icd10cm_KIND_AYEAR.xml" for the
// five XML files and "icd10cm_order_AYEAR.txt". False when a file cannot be written.
bool WriteSampleRelease(const QString& AFolder, const QString& AYear = QStringLiteral("2023"));

// Zips AFiles (relative to AFolder, folders recursed) into AArchive with the zip tool. False
// (with zip's output in AError) when zip fails or is missing.
bool ZipFiles(const QString& AFolder, const QStringList& AFiles, const QString& AArchive,
              QString& AError);

// Writes the sample release into AFolder/release and zips it as the release comes:
// AFolder/tables.zip (the tabular list, indexes and tables) and AFolder/order.zip (the order
// file). False, with the reason in AError, when a step fails.
bool WriteZippedSampleRelease(const QString& AFolder, QString& AError);

// The data sets embedded in the test program (the sample set), with the given facts.
TEditionContents EmbeddedContents(const QString& AYear, const QDate& AEffective);

// Writes ABytes to APath; false when it cannot.
bool WriteBytes(const QString& APath, const QByteArray& ABytes);
QByteArray ReadBytes(const QString& APath);

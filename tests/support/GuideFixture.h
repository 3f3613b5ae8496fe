// Test support: guide databases built with the real builder in a fresh
// folder per test, with the program placed beside them, and fake controls.
#pragma once

#include "db/WineDatabase.h"
#include "platform/ui/Targets.h"
#include "tools/guide/GuideContent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

std::string sourceDir();
std::string fixtureSources(); // tests/fixtures/guide

// A folder of its own for the running test, emptied first.
std::string freshFolder();

// Builds the database from sources into folder; fails the test on error.
std::string buildDatabase(const std::string& sources, const std::string& folder);
std::string buildDatabase(const guide::GuideContent& content, const std::string& folder);

// Makes the program seem to run from folder.
void placeProgramIn(const std::string& folder);

// A database opened on the fixture guide, with its text buffer allocated.
class GuideTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void query(std::u16string_view sql) { db.setText(sql); }

    std::string folder;
    WineDatabase db;
};

class RecordingList : public ui::StringListTarget {
public:
    void addString(std::u16string_view text) override { items.emplace_back(text); }
    std::vector<std::u16string> items;
};

class TextBox : public ui::TextTarget {
public:
    void setText(std::u16string_view text) override { value = text; }
    std::u16string text() const override { return value; }
    std::u16string value;
};

// Prints UTF-16 strings readably in assertion messages.
std::string utf8(std::u16string_view text);

// The first column of the first row of sql on the database file, or
// "<none>" when there is no such row or value.
std::string firstValue(const std::string& db, const std::string& sql);

// Wines with enough prose to fill many pages of the wine table.
guide::GuideContent wordyGuide();

// Overwrites the middle leaf pages of the wine table with garbage.
void damageWineTable(const std::string& path);
// Bumps the file's change counter, so an open connection reads its pages
// afresh instead of from its cache, as it would after another writer.
void bumpChangeCounter(const std::string& path);

} // namespace testing_support

// The input player's reading of key names (the same for dialogs and forms).
#include <gtest/gtest.h>

#include "ui/input_player.h"

namespace {

using ui::InputKey;

TEST(InputKeys, NamesInAnyCaseAliasesAndSingleCharacters) {
  struct Case {
    const char* word;
    InputKey::Name name;
    char character;
  } cases[] = {{"Enter", InputKey::Name::Enter, 0},    {"RETURN", InputKey::Name::Enter, 0},
               {"esc", InputKey::Name::Escape, 0},     {"Escape", InputKey::Name::Escape, 0},
               {"tab", InputKey::Name::Tab, 0},        {"BackSpace", InputKey::Name::Backspace, 0},
               {"Delete", InputKey::Name::Delete, 0},  {"space", InputKey::Name::Char, ' '},
               {"E", InputKey::Name::Char, 'E'},       {"7", InputKey::Name::Char, '7'}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    const auto key = ui::parseKey(c.word);
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->name, c.name);
    EXPECT_EQ(key->character, c.character);
  }
  for (const char* word : {"", "Enterr", "F1"}) EXPECT_FALSE(ui::parseKey(word).has_value()) << word;
}

}  // namespace

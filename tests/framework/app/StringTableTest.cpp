#include "framework/app/StringTable.h"

#include <gtest/gtest.h>

using namespace Quib;

TEST(StringTable, HoldsTheBuiltInTextsAndFallsBackToDefaults)
{
    StringTable table;
    EXPECT_EQ(table.Entries().size(), 8u);
    EXPECT_EQ(table.LookupString("DIALOG_BUTTON_CANCEL", "x"), "CANCEL");
    EXPECT_EQ(table.LookupString("NEW_VERSION_BODY", ""),
              "There is an update available for this product.  Would you like to visit the web site to "
              "download it?");
    EXPECT_EQ(table.LookupString("FATAL_ERROR", "FATAL ERROR"), "FATAL ERROR");
    EXPECT_EQ(table.LookupString("FATAL_ERROR", "FATAL ERROR"), "FATAL ERROR");
}

TEST(StringTable, StoredTextsReplaceEarlierOnes)
{
    StringTable table;
    table.StoreString(L"Fehler", "FATAL_ERROR");
    EXPECT_EQ(table.LookupString("FATAL_ERROR", "FATAL ERROR"), "Fehler");
    table.StoreString(L"Erreur \u00e9", "FATAL_ERROR");
    EXPECT_EQ(table.LookupString("FATAL_ERROR", "FATAL ERROR"), "Erreur \xE9");
    table.StoreString(L"Abbrechen", "DIALOG_BUTTON_CANCEL");
    EXPECT_EQ(table.LookupString("DIALOG_BUTTON_CANCEL", ""), "Abbrechen");
    EXPECT_EQ(table.Entries().size(), 9u);
}

// The rooms and places of the old house: how each looks and what lies in it.

#include "tools/contentgen/SceneRooms.h"

#include <cstdlib>

namespace contentgen
{

namespace
{

// One row of the room table. Objects are written "Name:1F511:40|Other:2602",
// the emoji's code point in hex and the optional longer side of its picture.
struct RoomRow
{
    const char* wall;
    const char* floor;
    uint32_t wallColour, accentColour, floorColour;
    uint32_t light;
    float floorLine;
    std::vector<Furniture> furniture;
    const char* objects;
    const char* group;
    const char* combined;
    int pieces;
    const char* location;
};

// The house, Scene1 first.
const RoomRow kRooms[] = {
    // 1 Front Porch: dusk on the veranda.
    {.wall = "plank",
     .floor = "boards",
     .wallColour = 0x3c4a40,
     .accentColour = 0x2c3830,
     .floorColour = 0x6a5034,
     .light = 0xffd9a8,
     .floorLine = 410,
     .furniture = {{"window", 170, 70, 150, 190, 0x3a4f8a},
                   {"door", 420, 60, 170, 350, 0x4a2c1a},
                   {"wallshelf", 640, 190, 140, 12},
                   {"lamp", 350, 120, 50, 70, 0, 0x1F3EE},
                   {"rug", 400, 440, 220, 60, 0x8a3a2a},
                   {"bench", 150, 330, 230, 80, 0x6a4a2a},
                   {"decorfront", 600, 330, 110, 120, 0, 0x1FAB4},
                   {"barrel", 700, 320, 90, 110},
                   {"crate", 250, 470, 120, 100}},
     .objects = "Hiking boot:1F97E:48|Umbrella:2602:50|Basket:1F9FA:48|Broom:1F9F9:56|Top hat:1F3A9:42|"
                "Scarf:1F9E3:44|Gloves:1F9E4:38|Bell:1F514:34|Snail:1F40C:30|Apple:1F34E:30|"
                "Newspaper:1F4F0:42|Axe:1FA93:48|Hammer:1F528:40|Bucket:1FAA3:44|Mushroom:1F344:30|"
                "Chestnut:1F330:28|Sunflower:1F33B:48|Parcel:1F4E6:44|Cap:1F9E2:40|Bird:1F426:34",
     .group = "Coin:1FA99:26",
     .combined = "Puzzle:1F9E9:60",
     .pieces = 3,
     .location = "Frame:1F5BC:80"},
    // 2 Entrance Hall: marble floor, staircase light, portraits.
    {.wall = "panel",
     .floor = "tiles",
     .wallColour = 0x5a3a28,
     .accentColour = 0x3a2416,
     .floorColour = 0xd8d0c0,
     .light = 0xffe8c8,
     .floorLine = 400,
     .furniture = {{"painting", 170, 70, 130, 160, 0x6a4a30},
                   {"door", 360, 70, 150, 330, 0x3a2010},
                   {"clock", 560, 90, 80, 310},
                   {"painting", 670, 90, 110, 130, 0x2a4a6a},
                   {"rug", 430, 470, 300, 90, 0x7a1a22},
                   {"sideboard", 160, 290, 170, 110, 0x5a3418},
                   {"decorfront", 660, 300, 120, 140, 0, 0x1FAB4},
                   {"armchair", 250, 410, 150, 140, 0x2a4a3a}},
     .objects = "Walking cane:1F9AF:60|Top hat:1F3A9:44|Umbrella:2602:52|Coat:1F9E5:56|Gloves:1F9E4:36|"
                "Key:1F511:30|Letter:2709:36|Candle:1F56F:40|Vase:1F3FA:46|Rose:1F339:36|"
                "Telephone:260E:44|Desk bell:1F6CE:38|Pen:1F58A:36|Compass:1F9ED:34|Watch:231A:32|"
                "Glasses:1F453:36|Tie:1F454:42|Briefcase:1F4BC:46|Trumpet:1F3BA:48|Globe:1F30D:40",
     .group = "Butterfly:1F98B:28",
     .combined = "Old key:1F5DD:64",
     .pieces = 2,
     .location = "Door:1F6AA:90"},
    // 3 Cloakroom: hooks, coats and boxes.
    {.wall = "paper",
     .floor = "boards",
     .wallColour = 0x6a5a3a,
     .accentColour = 0x56482e,
     .floorColour = 0x5a3a20,
     .light = 0xfff0d8,
     .floorLine = 410,
     .furniture = {{"wallshelf", 150, 120, 300, 12},
                   {"wallshelf", 500, 150, 270, 12},
                   {"window", 620, 190, 120, 150, 0x8ab0d8},
                   {"bench", 160, 330, 260, 80, 0x5a3a1a},
                   {"dresser", 460, 270, 150, 140, 0x6a4020},
                   {"crate", 620, 440, 130, 110},
                   {"decorfront", 140, 420, 100, 150, 0, 0x1F9E5},
                   {"rug", 440, 470, 240, 70, 0x3a5a6a}},
     .objects = "Scarf:1F9E3:46|Gloves:1F9E4:36|Boot:1F462:46|Sneaker:1F45F:46|Cap:1F9E2:40|"
                "Hat:1F452:44|Handbag:1F45C:42|Purse:1F45B:36|Umbrella:2602:48|Sock:1F9E6:40|"
                "Kimono:1F458:50|Dress:1F457:52|Shirt:1F455:46|Jeans:1F456:50|Sandal:1F461:40|"
                "Bow:1F380:34|Lipstick:1F484:32|Ring:1F48D:28|Comb:1FAAE:40|Backpack:1F392:46",
     .group = "Spool:1F9F5:26",
     .combined = "Magnifier:1F50D:60",
     .pieces = 2,
     .location = "Mirror:1FA9E:80"},
    // 4 Morning Room: sunny parlour with a writing desk.
    {.wall = "paper",
     .floor = "carpet",
     .wallColour = 0x7a8a6a,
     .accentColour = 0x6a7a5a,
     .floorColour = 0x6a3a3a,
     .light = 0xfff6e0,
     .floorLine = 400,
     .furniture = {{"window", 160, 60, 170, 230, 0x9ac8f0},
                   {"window", 600, 60, 170, 230, 0x9ac8f0},
                   {"painting", 390, 80, 140, 110, 0x8a6a3a},
                   {"table", 360, 300, 220, 100, 0x5a3418},
                   {"sideboard", 620, 300, 160, 100, 0x6a4020},
                   {"sofa", 150, 340, 250, 140, 0xc8a060},
                   {"decorfront", 560, 420, 100, 130, 0, 0x1FAB4},
                   {"rug", 440, 480, 300, 70, 0x4a6a4a}},
     .objects = "Cup:2615:38|Newspaper:1F4F0:44|Glasses:1F453:36|Pencil:270F:40|Notebook:1F4D3:40|"
                "Tulip:1F337:40|Croissant:1F950:36|Honey:1F36F:36|Shell:1F41A:32|Calendar:1F4C5:40|"
                "Scissors:2702:36|Magnet:1F9F2:34|Paintbrush:1F58C:44|Palette:1F3A8:44|Open book:1F4D6:44|"
                "Yarn:1F9F6:36|Thread:1F9F5:34|Bird:1F426:34|Lemon:1F34B:30|Camera:1F4F7:40",
     .group = "Bow:1F380:26",
     .combined = "Letter:2709:60",
     .pieces = 2,
     .location = "Typewriter:2328:84"},
    // 5 Library: tall bookcases and a reading lamp.
    {.wall = "panel",
     .floor = "boards",
     .wallColour = 0x4a3020,
     .accentColour = 0x3a2416,
     .floorColour = 0x5a3a22,
     .light = 0xffdcae,
     .floorLine = 410,
     .furniture = {{"bookcase", 140, 40, 200, 370, 0x4a2a14},
                   {"bookcase", 580, 40, 200, 370, 0x4a2a14},
                   {"window", 380, 60, 160, 200, 0x2a3a6a},
                   {"table", 360, 320, 210, 90, 0x5a3418},
                   {"lamp", 380, 240, 60, 80, 0, 0x1FA94},
                   {"armchair", 150, 400, 170, 150, 0x7a2a2a},
                   {"decorfront", 640, 420, 120, 140, 0, 0x1F3FA},
                   {"rug", 450, 480, 300, 70, 0x6a2a2a}},
     .objects = "Book:1F4D5:40|Scroll:1F4DC:44|Feather:1FAB6:44|Fountain pen:1F58B:40|Globe:1F30D:48|"
                "Hourglass:231B:40|Glasses:1F453:34|Lantern:1F3EE:42|Magnifier:1F50E:38|Compass:1F9ED:34|"
                "Map:1F5FA:44|Telescope:1F52D:50|Microscope:1F52C:46|Bookmark:1F516:32|Skull:1F480:36|"
                "Owl:1F989:40|Dagger:1F5E1:50|Ruler:1F4CF:44|Abacus:1F9EE:44|Paperclip:1F4CE:30",
     .group = "Ladybird:1F41E:24",
     .combined = "Candle:1F56F:60",
     .pieces = 2,
     .location = "Oil lamp:1FA94:80"},
    // 6 Reading Nook: a window seat under the eaves.
    {.wall = "paper",
     .floor = "carpet",
     .wallColour = 0x8a6a7a,
     .accentColour = 0x7a5a6a,
     .floorColour = 0x4a3a5a,
     .light = 0xffe4c4,
     .floorLine = 420,
     .furniture = {{"window", 330, 60, 240, 230, 0x6a8ac0},
                   {"bookcase", 140, 90, 160, 330, 0x5a3a20},
                   {"bookcase", 620, 90, 160, 330, 0x5a3a20},
                   {"sofa", 320, 330, 260, 140, 0x6a4a8a},
                   {"table", 170, 430, 150, 90, 0x6a4020},
                   {"decorfront", 640, 450, 110, 130, 0, 0x1FAB4},
                   {"rug", 450, 500, 260, 60, 0xa0604a}},
     .objects = "Green book:1F4D7:40|Teapot:1FAD6:44|Cookie:1F36A:30|Yarn:1F9F6:40|Cat:1F408:46|"
                "Candy:1F36C:30|Candle:1F56F:38|Cup:2615:36|Light bulb:1F4A1:34|Bookmark:1F516:30|"
                "Page:1F4C4:38|Pen:1F58A:40|Pear:1F350:30|Grapes:1F347:38|Slippers:1F97F:40|"
                "Teddy:1F9F8:44|Note:1F3B5:32|Alarm clock:23F0:38|Diary:1F4D4:40|Radio:1F4FB:42",
     .group = "Feather:1FAB6:26",
     .combined = "Toolbox:1F9F0:60",
     .pieces = 2,
     .location = "Crate:1F4E6:80"},
    // 7 Map Room: charts, globes and a long table.
    {.wall = "panel",
     .floor = "boards",
     .wallColour = 0x3a4a5a,
     .accentColour = 0x2a3a4a,
     .floorColour = 0x5a4028,
     .light = 0xffe6c0,
     .floorLine = 400,
     .furniture = {{"painting", 150, 60, 200, 140, 0xc8b080},
                   {"painting", 560, 60, 200, 140, 0xb8a070},
                   {"bookcase", 390, 40, 130, 360, 0x3a2414},
                   {"billiard", 200, 300, 340, 100, 0x6a4a2a},
                   {"sideboard", 590, 290, 180, 110, 0x4a2c16},
                   {"decorfront", 650, 420, 110, 130, 0, 0x1F3FA},
                   {"armchair", 140, 420, 160, 140, 0x3a5a3a}},
     .objects = "Globe:1F30D:48|Map:1F5FA:46|Compass:1F9ED:36|Anchor:2693:42|Ship:26F5:44|"
                "Telescope:1F52D:52|Rope:1FAA2:40|Pin:1F4CD:30|Set square:1F4D0:42|Scroll:1F4DC:44|"
                "Flag:1F6A9:40|Shell:1F41A:34|Parrot:1F99C:44|Sand glass:23F3:40|Lantern:1F3EE:44|"
                "Mountain:26F0:44|Camel:1F42A:44|Volcano:1F30B:44|Tent:26FA:44|Lens:1F50D:36",
     .group = "Star:2B50:24",
     .combined = "Dice:1F3B2:56",
     .pieces = 2,
     .location = "Board:265F:80"},
    // 8 Kitchen: tiles, range and dresser.
    {.wall = "tile",
     .floor = "flags",
     .wallColour = 0xd8d0b8,
     .accentColour = 0x8a9aa8,
     .floorColour = 0x8a7a68,
     .light = 0xfff0d0,
     .floorLine = 390,
     .furniture = {{"window", 170, 70, 150, 170, 0x9ac8e8},
                   {"stove", 360, 190, 200, 200},
                   {"dresser", 590, 110, 190, 280, 0x6a4a2a},
                   {"wallshelf", 170, 260, 160, 12},
                   {"table", 190, 400, 320, 110, 0xe8e0d0},
                   {"barrel", 640, 400, 100, 120},
                   {"decorfront", 130, 470, 100, 120, 0, 0x1F9FA}},
     .objects = "Teapot:1FAD6:44|Pan:1F373:44|Spoon:1F944:40|Salt:1F9C2:36|Cheese:1F9C0:36|"
                "Baguette:1F956:50|Avocado:1F951:32|Onion:1F9C5:32|Garlic:1F9C4:30|Carrot:1F955:40|"
                "Jar:1FAD9:40|Butter:1F9C8:32|Milk:1F95B:36|Pot:1F372:44|Lemon:1F34B:30|"
                "Tomato:1F345:32|Pepper:1FAD1:32|Knife:1F52A:40|Chopsticks:1F962:42|Cake:1F370:36",
     .group = "Egg:1F95A:24",
     .combined = "Amphora:1F3FA:60",
     .pieces = 2,
     .location = "Barrel:1F6E2:80"},
    // 9 Pantry: shelves of jars and sacks.
    {.wall = "plank",
     .floor = "flags",
     .wallColour = 0x7a6a4a,
     .accentColour = 0x6a5a3a,
     .floorColour = 0x6a6052,
     .light = 0xffe2b8,
     .floorLine = 400,
     .furniture = {{"bookcase", 140, 50, 240, 350, 0x6a4a2a},
                   {"bookcase", 540, 50, 240, 350, 0x6a4a2a},
                   {"window", 400, 80, 120, 120, 0x8ab0d0},
                   {"counter", 390, 260, 140, 140, 0x7a5a3a},
                   {"crate", 160, 430, 130, 110},
                   {"barrel", 560, 420, 100, 120},
                   {"hay", 660, 460, 120, 90}},
     .objects = "Honey:1F36F:36|Jar:1FAD9:38|Sheaf:1F33E:44|Potato:1F954:32|Green apple:1F34F:30|"
                "Pear:1F350:30|Peach:1F351:30|Cherries:1F352:32|Melon:1F348:38|Pumpkin:1F383:40|"
                "Corn:1F33D:42|Beans:1FAD8:32|Rice:1F359:32|Hot dog:1F32D:40|Ham:1F356:42|"
                "Cucumber:1F952:40|Olive:1FAD2:28|Pretzel:1F968:34|Coconut:1F965:34|Can:1F96B:32",
     .group = "Mouse:1F401:28",
     .combined = "Crown:1F451:56",
     .pieces = 2,
     .location = "Card box:1F5C3:80"},
    // 10 Scullery: sink, buckets and laundry.
    {.wall = "tile",
     .floor = "flags",
     .wallColour = 0xb8c8c0,
     .accentColour = 0x7a9a90,
     .floorColour = 0x706a60,
     .light = 0xf0f4ff,
     .floorLine = 390,
     .furniture = {{"window", 330, 60, 200, 170, 0xb0d0e8},
                   {"counter", 300, 240, 280, 150, 0x8a8a8a},
                   {"wallshelf", 150, 150, 150, 12},
                   {"wallshelf", 610, 150, 160, 12},
                   {"barrel", 160, 300, 100, 120},
                   {"crate", 620, 420, 140, 120},
                   {"decorfront", 180, 460, 110, 120, 0, 0x1FAB4}},
     .objects = "Soap:1F9FC:34|Sponge:1F9FD:34|Bucket:1FAA3:44|Plunger:1FAA0:50|Toothbrush:1FAA5:40|"
                "Paper roll:1F9FB:40|Lotion:1F9F4:38|Broom:1F9F9:58|Gloves:1F9E4:36|Basket:1F9FA:46|"
                "Bowl:1F963:38|Tea bowl:1F375:34|Fork:1F374:40|Duck:1F986:36|Tie:1F454:44|"
                "Sock:1F9E6:38|Bubbles:1FAE7:34|Safety pin:1F9F7:34|Drop:1F4A7:28|Jug:1FAD7:40",
     .group = "Spoon:1F944:26",
     .combined = "Joker:1F0CF:56",
     .pieces = 2,
     .location = "Card table:1F3B4:80"},
    // 11 Dining Room: a long table, a candle on the sideboard.
    {.wall = "paper",
     .floor = "boards",
     .wallColour = 0x6a2a30,
     .accentColour = 0x5a2026,
     .floorColour = 0x5a3a22,
     .light = 0xffdcb0,
     .floorLine = 400,
     .furniture = {{"painting", 160, 70, 160, 120, 0x4a6a3a},
                   {"window", 380, 60, 150, 190, 0x2a3a6a},
                   {"painting", 590, 70, 160, 120, 0x8a5a3a},
                   {"sideboard", 570, 280, 210, 120, 0x4a2a14},
                   {"table", 200, 330, 360, 110, 0xf0e8d8},
                   {"lamp", 735, 222, 40, 58, 0, 0x1F56F},
                   {"armchair", 140, 420, 140, 140, 0x6a2a30},
                   {"armchair", 620, 430, 140, 140, 0x6a2a30}},
     .objects = "Plate:1F37D:44|Fork:1F374:40|Spoon:1F944:38|Wine glass:1F377:40|Trophy:1F3C6:40|"
                "Paper roll:1F9FB:34|Olive:1FAD2:28|Soup:1F35C:38|Roast:1F357:40|Pie:1F967:38|"
                "Birthday cake:1F382:40|Grapes:1F347:36|Bottle:1F37E:48|Salt:1F9C2:32|Bell:1F514:32|"
                "Rose:1F339:36|Teapot:1FAD6:42|Pudding:1F36E:34|Cheese:1F9C0:34|Bread:1F35E:36",
     .group = "Cherry:1F352:26",
     .combined = "Envelope:2709:56",
     .pieces = 2,
     .location = "Mailbox:1F4EB:80"},
    // 12 Butler's Pantry: silver, keys and ledgers.
    {.wall = "panel",
     .floor = "tiles",
     .wallColour = 0x4a4030,
     .accentColour = 0x3a3020,
     .floorColour = 0xb8b0a0,
     .light = 0xffe8c8,
     .floorLine = 400,
     .furniture = {{"vitrine", 140, 50, 200, 350, 0x4a2a14},
                   {"clock", 380, 80, 80, 320},
                   {"wallshelf", 490, 140, 280, 12},
                   {"counter", 490, 260, 290, 140, 0x5a3a1a},
                   {"crate", 170, 440, 130, 110},
                   {"decorfront", 600, 430, 110, 130, 0, 0x1FAB4}},
     .objects = "Desk bell:1F6CE:38|Scales:2696:40|Ledger:1F4D2:42|Purse:1F45B:36|Candle:1F56F:40|"
                "Cake:1F370:36|Teapot:1FAD6:44|Cup:2615:36|Spoon:1F944:38|Champagne:1F942:40|"
                "Bottle:1F37E:48|Bolt:1F529:30|Lotion:1F9F4:36|Gloves:1F9E4:36|Bow:1F380:32|"
                "Watch:231A:32|Fountain pen:1F58B:40|Postbox:1F4EE:38|Lock:1F512:34|Toothbrush:1FAA5:40",
     .group = "Key:1F511:26",
     .combined = "Cog:2699:56",
     .pieces = 2,
     .location = "Mantel clock:1F570:80"},
    // 13 Silver Vault: iron-bound chests in a stone room.
    {.wall = "stone",
     .floor = "flags",
     .wallColour = 0x5a5a60,
     .accentColour = 0x4a4a50,
     .floorColour = 0x5a5650,
     .light = 0xe8e0d0,
     .floorLine = 400,
     .furniture = {{"arch", 340, 50, 220, 260},
                   {"vitrine", 140, 60, 180, 340, 0x3a2a1a},
                   {"vitrine", 600, 60, 180, 340, 0x3a2a1a},
                   {"crate", 180, 430, 140, 120},
                   {"crate", 600, 440, 150, 110},
                   {"lamp", 420, 320, 60, 70, 0, 0x1F56F},
                   {"barrel", 380, 440, 100, 120}},
     .objects = "Dice:1F3B2:30|Gem:1F48E:30|Ring:1F48D:30|Trophy:1F3C6:42|Medal:1F3C5:36|"
                "Coin bag:1F4B0:42|Banknote:1F4B5:38|Scales:2696:44|Sword:2694:50|Shield:1F6E1:44|"
                "Old key:1F5DD:40|Lock and key:1F510:36|Compass:1F9ED:34|Vase:1F3FA:44|Bell:1F514:34|"
                "Hourglass:231B:40|Dagger:1F5E1:48|Mirror:1FA9E:44|Amulet:1F9FF:32|Scroll:1F4DC:42",
     .group = "Coin:1FA99:24",
     .combined = "Crown:1F451:56",
     .pieces = 3,
     .location = "Chest:1F9F0:80"},
    // 14 Drawing Room: fireplace, piano and portraits.
    {.wall = "paper",
     .floor = "carpet",
     .wallColour = 0x3a4a6a,
     .accentColour = 0x2a3a5a,
     .floorColour = 0x6a2a2a,
     .light = 0xffe0b8,
     .floorLine = 400,
     .furniture = {{"painting", 170, 60, 140, 170, 0x5a4a3a},
                   {"wallshelf", 150, 262, 180, 12},
                   {"fireplace", 360, 130, 220, 270},
                   {"window", 620, 60, 150, 220, 0x2a3a6a},
                   {"piano", 600, 270, 180, 130, 0x1a1414},
                   {"sofa", 140, 350, 260, 140, 0x8a6a3a},
                   {"table", 420, 440, 160, 90, 0x5a3418},
                   {"decorfront", 650, 430, 110, 140, 0, 0x1FAB4}},
     .objects = "Vase:1F3FA:46|Fan:1FAAD:42|Cup:2615:36|Score:1F3BC:36|Violin:1F3BB:52|"
                "Candle:1F56F:40|Bouquet:1F490:44|Parrot:1F99C:44|Clock:1F570:42|Mirror:1FA9E:44|"
                "Cards:1F3B4:36|Chess pawn:265F:34|Pearl:1F9AA:28|Lotion:1F9F4:34|Bow:1F380:32|"
                "Hat:1F452:42|Handbag:1F45C:40|Lipstick:1F484:30|Doll:1FA86:44|Crystal:1F52E:36",
     .group = "Rose:1F339:28",
     .combined = "Old key:1F5DD:60",
     .pieces = 2,
     .location = "Door:1F6AA:90"},
    // 15 Music Room: instruments on stands.
    {.wall = "panel",
     .floor = "boards",
     .wallColour = 0x5a3a4a,
     .accentColour = 0x4a2a3a,
     .floorColour = 0x6a4428,
     .light = 0xffe0c0,
     .floorLine = 400,
     .furniture = {{"window", 160, 60, 140, 220, 0x3a4a7a},
                   {"piano", 330, 240, 260, 160, 0x1a1414},
                   {"painting", 620, 70, 140, 110, 0x6a5a3a},
                   {"bookcase", 630, 200, 150, 200, 0x4a2a14},
                   {"armchair", 150, 400, 160, 150, 0x6a3a5a},
                   {"decorfront", 560, 440, 100, 130, 0, 0x1FAB4},
                   {"rug", 420, 480, 280, 70, 0x3a3a6a}},
     .objects = "Violin:1F3BB:54|Trumpet:1F3BA:50|Guitar:1F3B8:56|Drum:1F941:44|Sax:1F3B7:52|"
                "Banjo:1FA95:54|Accordion:1FA97:46|Flute:1FA88:50|Maracas:1FA87:42|Bell:1F514:34|"
                "Headphones:1F3A7:40|Microphone:1F3A4:40|Radio:1F4FB:42|Stopwatch:23F1:40|"
                "Notes:1F3B6:36|Score:1F3BC:40|Tickets:1F39F:36|Mask:1F3AD:44|Candle:1F56F:40|Rose:1F339:34",
     .group = "Note:1F3B5:26",
     .combined = "Toolbox:1F9F0:60",
     .pieces = 2,
     .location = "Crate:1F4E6:80"},
    // 16 Conservatory: glass walls and potted plants.
    {.wall = "glass",
     .floor = "tiles",
     .wallColour = 0x9ac8a8,
     .accentColour = 0x6a9a7a,
     .floorColour = 0xc8b8a0,
     .light = 0xf0ffe8,
     .floorLine = 410,
     .furniture = {{"table", 320, 320, 260, 90, 0x8a8a8a},
                   {"decorfront", 140, 240, 150, 180, 0, 0x1F333},
                   {"decorfront", 620, 250, 150, 170, 0, 0x1F334},
                   {"wallshelf", 180, 180, 250, 12},
                   {"wallshelf", 500, 160, 260, 12},
                   {"decorfront", 250, 450, 110, 130, 0, 0x1FAB4},
                   {"crate", 600, 450, 140, 110},
                   {"lamp", 420, 10, 70, 60, 0, 0x1F4A1}},
     .objects = "Bucket:1FAA3:46|Cactus:1F335:44|Tulip:1F337:40|Rose:1F339:36|Daisy:1F33C:34|"
                "Hibiscus:1F33A:36|Seedling:1F331:34|Herb:1F33F:38|Clover:1F340:32|Lemon:1F34B:30|"
                "Strawberry:1F353:28|Bee:1F41D:30|Ladybird:1F41E:28|Snail:1F40C:32|Frog:1F438:36|"
                "Lizard:1F98E:42|Bird:1F426:34|Scissors:2702:36|Gloves:1F9E4:36|Basket:1F9FA:44",
     .group = "Butterfly:1F98B:28",
     .combined = "Radio:1F4FB:56",
     .pieces = 2,
     .location = "Socket:1F50C:70"},
    // 17 Billiard Room: green baize and dark panels.
    {.wall = "panel",
     .floor = "boards",
     .wallColour = 0x2a3a2a,
     .accentColour = 0x1a2a1a,
     .floorColour = 0x4a3020,
     .light = 0xffdcaa,
     .floorLine = 400,
     .furniture = {{"painting", 160, 60, 150, 120, 0x6a3a2a},
                   {"painting", 600, 60, 160, 120, 0x3a4a6a},
                   {"bookcase", 360, 40, 200, 240, 0x3a2010},
                   {"billiard", 200, 320, 420, 100, 0x1a5a2a},
                   {"sideboard", 620, 290, 160, 110, 0x3a2010},
                   {"lamp", 380, 260, 60, 60, 0, 0x1F4A1},
                   {"armchair", 140, 420, 160, 150, 0x5a2a1a}},
     .objects = "Pool ball:1F3B1:34|Dart:1F3AF:40|Dice:1F3B2:30|Joker:1F0CF:36|Chess pawn:265F:32|"
                "Cigarette:1F6AC:40|Tumbler:1F943:36|Bottle:1F37E:48|Trophy:1F3C6:42|War medal:1F396:34|"
                "Parcel:1F4E6:40|Skittle:1F3B3:40|Watch:231A:32|Top hat:1F3A9:40|Bow:1F380:30|"
                "Newspaper:1F4F0:42|Deer:1F98C:46|Fox:1F98A:40|Horse:1F40E:44|Map:1F5FA:42",
     .group = "Ball:26BD:24",
     .combined = "Magnifier:1F50D:60",
     .pieces = 2,
     .location = "Mirror:1FA9E:80"},
    // 18 Master Bedroom: canopy bed by moonlight.
    {.wall = "paper",
     .floor = "carpet",
     .wallColour = 0x5a4a6a,
     .accentColour = 0x4a3a5a,
     .floorColour = 0x4a2a3a,
     .light = 0xd8d8ff,
     .floorLine = 400,
     .furniture = {{"window", 160, 60, 150, 230, 0x1a2a5a},
                   {"bed", 340, 180, 280, 250, 0x6a2a4a},
                   {"dresser", 640, 230, 140, 170, 0x4a2a18},
                   {"painting", 650, 80, 120, 120, 0x6a6a8a},
                   {"table", 170, 330, 120, 70, 0x4a2a18},
                   {"lamp", 200, 250, 50, 80, 0, 0x1F56F},
                   {"rug", 460, 500, 300, 70, 0x4a3a6a},
                   {"decorfront", 150, 440, 110, 130, 0, 0x1FAB4}},
     .objects = "Bed:1F6CF:46|Teddy:1F9F8:44|Slippers:1F97F:40|Kimono:1F458:48|Crown:1F451:38|"
                "Lotion:1F9F4:34|Gem:1F48E:28|Necklace:1F4FF:36|Comb:1FAAE:40|Mirror:1FA9E:42|"
                "Alarm clock:23F0:38|Lipstick:1F484:30|Book:1F4D5:38|Love letter:1F48C:36|Fan:1FAAD:40|"
                "Moon:1F319:34|Glasses:1F453:34|Cap:1F9E2:40|Key:1F511:30|Bell:1F514:32",
     .group = "Star:1F31F:24",
     .combined = "Amphora:1F3FA:60",
     .pieces = 2,
     .location = "Barrel:1F6E2:80"},
    // 19 Dressing Room: wardrobe, mirror and hatboxes.
    {.wall = "paper",
     .floor = "carpet",
     .wallColour = 0x8a6a6a,
     .accentColour = 0x7a5a5a,
     .floorColour = 0x6a4a5a,
     .light = 0xfff0e0,
     .floorLine = 400,
     .furniture = {{"dresser", 150, 100, 200, 300, 0x6a3a2a},
                   {"window", 390, 60, 140, 210, 0x8ab0e0},
                   {"vitrine", 570, 60, 210, 340, 0x6a3a2a},
                   {"table", 380, 320, 170, 80, 0xf0d8d0},
                   {"sofa", 360, 420, 200, 120, 0xc87a8a},
                   {"decorfront", 140, 440, 110, 130, 0, 0x1FAB4}},
     .objects = "Dress:1F457:52|Hat:1F452:44|Shoe:1F460:40|Boot:1F462:44|Lipstick:1F484:30|"
                "Ring:1F48D:28|Necklace:1F4FF:36|Gloves:1F9E4:36|Scarf:1F9E3:42|Handbag:1F45C:40|"
                "Purse:1F45B:36|Fan:1FAAD:40|Comb:1FAAE:40|Mirror:1FA9E:42|Lotion:1F9F4:34|"
                "Bow:1F380:32|Sunglasses:1F576:38|Kimono:1F458:50|Crown:1F451:38|Nail polish:1F485:34",
     .group = "Pearl:1F9AA:24",
     .combined = "Candle:1F56F:60",
     .pieces = 2,
     .location = "Oil lamp:1FA94:80"},
    // 20 Nursery: toys everywhere.
    {.wall = "paper",
     .floor = "boards",
     .wallColour = 0x9ab8c8,
     .accentColour = 0x8aa8b8,
     .floorColour = 0x8a6a48,
     .light = 0xfff4e0,
     .floorLine = 400,
     .furniture = {{"window", 180, 60, 150, 200, 0x9ac8f0},
                   {"bed", 360, 220, 220, 200, 0x6a8ac0},
                   {"bookcase", 620, 90, 160, 310, 0xe0d0b0},
                   {"crate", 170, 440, 140, 110},
                   {"rug", 450, 490, 260, 70, 0xd8a040},
                   {"decorfront", 640, 440, 110, 130, 0, 0x1F3A0}},
     .objects = "Teddy:1F9F8:46|Doll:1FA86:44|Kite:1FA81:46|Yo-yo:1FA80:32|Ball:26BD:34|"
                "Blocks:1F9F1:36|Rocket:1F680:44|Train:1F682:44|Car:1F697:40|Duck:1F986:34|"
                "Dinosaur:1F995:48|Unicorn:1F984:44|Maracas:1FA87:38|Crayon:1F58D:40|Puzzle:1F9E9:36|"
                "Balloon:1F388:44|Drum:1F941:40|Robot:1F916:40|Baby bottle:1F37C:38|Ferris wheel:1F3A1:40",
     .group = "Star:2B50:24",
     .combined = "Plate:1F37D:56",
     .pieces = 2,
     .location = "Chair:1FA91:80"},
    // 21 Guest Bedroom: plain and tidy, with a trunk.
    {.wall = "paper",
     .floor = "boards",
     .wallColour = 0x6a7a5a,
     .accentColour = 0x5a6a4a,
     .floorColour = 0x5a3a22,
     .light = 0xffe8c8,
     .floorLine = 400,
     .furniture = {{"painting", 170, 80, 120, 100, 0x5a7a5a},
                   {"bed", 330, 200, 250, 220, 0x3a6a5a},
                   {"window", 620, 60, 150, 200, 0x6a90c0},
                   {"dresser", 620, 270, 160, 130, 0x6a4020},
                   {"table", 160, 320, 130, 80, 0x6a4020},
                   {"crate", 180, 450, 160, 110},
                   {"rug", 470, 500, 280, 60, 0x8a5a3a}},
     .objects = "Suitcase:1F9F3:48|Top hat:1F3A9:40|Umbrella:2602:48|Blue book:1F4D8:38|Candle:1F56F:38|"
                "Alarm clock:23F0:38|Glasses:1F453:34|Paper roll:1F9FB:38|Soap:1F9FC:32|Toothbrush:1FAA5:38|"
                "Slippers:1F97F:40|Bed:1F6CF:44|Map:1F5FA:42|Camera:1F4F7:38|Postcard:1F3DE:40|"
                "Ticket:1F3AB:36|Passport:1F6C2:36|Letter:2709:36|Daisy:1F33C:32|Pear:1F350:30",
     .group = "Sock:1F9E6:26",
     .combined = "Toolbox:1F9F0:60",
     .pieces = 2,
     .location = "Crate:1F4E6:80"},
    // 22 Attic Stairs: steep steps into the dark.
    {.wall = "plank",
     .floor = "boards",
     .wallColour = 0x5a4a3a,
     .accentColour = 0x4a3a2a,
     .floorColour = 0x4a3420,
     .light = 0xf0d8b0,
     .floorLine = 420,
     .furniture = {{"stairs", 300, 110, 330, 310, 0x6a4a2a},
                   {"window", 160, 80, 110, 120, 0x3a4a7a},
                   {"wallshelf", 150, 260, 140, 12},
                   {"painting", 660, 80, 110, 140, 0x4a4a3a},
                   {"crate", 640, 430, 140, 110},
                   {"barrel", 160, 450, 100, 120},
                   {"lamp", 680, 270, 60, 70, 0, 0x1F3EE}},
     .objects = "Oil lamp:1FA94:40|Candle:1F56F:38|Broom:1F9F9:56|Bucket:1FAA3:42|Spider:1F577:32|"
                "Web:1F578:44|Bat:1F987:40|Mouse:1F401:32|Rope:1FAA2:40|Hammer:1F528:38|"
                "Bolt:1F529:28|Saw:1FA9A:48|Ladder:1FA9C:54|Hiking boot:1F97E:44|Top hat:1F3A9:38|"
                "Old key:1F5DD:36|Parcel:1F4E6:40|Picture:1F5BC:40|Clock:1F570:40|Suitcase:1F9F3:44",
     .group = "Moth:1F98B:24",
     .combined = "Wrench:1F527:56",
     .pieces = 2,
     .location = "Tank:1F6E2:80"},
    // 23 Attic: rafters, trunks and forgotten things.
    {.wall = "plank",
     .floor = "boards",
     .wallColour = 0x5a4838,
     .accentColour = 0x4a3828,
     .floorColour = 0x4a3422,
     .light = 0xf0d4a8,
     .floorLine = 410,
     .furniture = {{"beam", 0, 0, 800, 60},
                   {"window", 380, 90, 140, 120, 0x6a6a9a},
                   {"bookcase", 600, 70, 170, 210, 0x5a3a20},
                   {"crate", 160, 300, 170, 110},
                   {"crate", 600, 290, 170, 120},
                   {"hay", 360, 330, 180, 80},
                   {"barrel", 180, 440, 110, 120},
                   {"decorfront", 620, 440, 120, 130, 0, 0x1F9F3},
                   {"lamp", 420, 220, 50, 60, 0, 0x1F56F}},
     .objects =
         "Toy horse:1F3A0:50|Post horn:1F4EF:40|Doll:1FA86:42|Gift:1F381:40|"
         "Oil lamp:1FA94:40|Mask:1F3AD:44|Sword:2694:48|Shield:1F6E1:42|Helmet:26D1:40|Ice skate:26F8:42|"
         "Umbrella:2602:48|Bird:1F426:36|Film:1F39E:40|Keyboard:2328:44|Camera:1F4F7:38|"
         "Globe:1F30D:42|Telescope:1F52D:48|Violin:1F3BB:50|Trophy:1F3C6:40|Kite:1FA81:46",
     .group = "Moth:1F98B:24",
     .combined = "Cog:2699:56",
     .pieces = 2,
     .location = "Mantel clock:1F570:80"},
    // 24 Clock Tower: gears, weights and a great dial.
    {.wall = "brick",
     .floor = "boards",
     .wallColour = 0x6a4a3a,
     .accentColour = 0x5a3a2a,
     .floorColour = 0x4a3a2a,
     .light = 0xffe0b0,
     .floorLine = 420,
     .furniture = {{"gears", 330, 40, 260, 260},
                   {"window", 160, 70, 120, 180, 0x7aa0d0},
                   {"wallshelf", 620, 150, 160, 12},
                   {"pipes", 640, 180, 40, 240},
                   {"table", 170, 340, 220, 80, 0x5a3a1a},
                   {"crate", 600, 440, 150, 110},
                   {"barrel", 420, 440, 100, 120}},
     .objects = "Cog:2699:40|Hourglass:231B:40|Bell:1F514:40|Wrench:1F527:42|Hammer:1F528:40|"
                "Bolt:1F529:28|Oil drum:1F6E2:40|Stopwatch:23F1:36|Alarm clock:23F0:38|Watch:231A:32|"
                "Dove:1F54A:40|Feather:1FAB6:40|Candle:1F56F:36|Lantern:1F3EE:40|Chain:26D3:40|"
                "Magnet:1F9F2:34|Toolbox:1F9F0:42|Ladder:1FA9C:52|Old key:1F5DD:36|Scroll:1F4DC:40",
     .group = "Key:1F511:24",
     .combined = "Plate:1F37D:56",
     .pieces = 2,
     .location = "Chair:1FA91:80"},
    // 25 Wine Cellar: racks and casks by lamplight.
    {.wall = "brick",
     .floor = "flags",
     .wallColour = 0x5a3a2a,
     .accentColour = 0x4a2a1a,
     .floorColour = 0x4a4038,
     .light = 0xffd09a,
     .floorLine = 400,
     .furniture = {{"winerack", 140, 60, 220, 340, 0x4a2a14},
                   {"winerack", 560, 60, 220, 340, 0x4a2a14},
                   {"arch", 380, 60, 160, 220},
                   {"table", 380, 320, 160, 80, 0x5a3a1a},
                   {"barrel", 160, 420, 130, 140},
                   {"barrel", 600, 420, 130, 140},
                   {"barrel", 300, 460, 110, 120},
                   {"lamp", 430, 260, 60, 60, 0, 0x1F56F}},
     .objects = "Bottle:1F37E:50|Wine glass:1F377:40|Trophy:1F3C6:40|Grapes:1F347:38|Peanuts:1F95C:30|"
                "Bolt:1F529:30|Cheese:1F9C0:34|Plate:1F37D:40|Mouse:1F401:32|Spider:1F577:32|"
                "Lantern:1F3EE:42|Key:1F511:30|Ledger:1F4D2:40|Tankard:1F37A:40|Gourd:1F9C9:36|"
                "Flask:2697:40|Baguette:1F956:46|Hot dog:1F32D:40|Rope:1FAA2:40|Bucket:1FAA3:42",
     .group = "Rat:1F400:26",
     .combined = "Old key:1F5DD:60",
     .pieces = 2,
     .location = "Door:1F6AA:90"},
    // 26 Boiler Room: pipes, gauges and coal.
    {.wall = "brick",
     .floor = "flags",
     .wallColour = 0x4a3a34,
     .accentColour = 0x3a2a24,
     .floorColour = 0x3a3632,
     .light = 0xffc890,
     .floorLine = 400,
     .furniture = {{"boiler", 320, 80, 260, 320},
                   {"pipes", 160, 40, 40, 360},
                   {"pipes", 620, 40, 40, 360},
                   {"wallshelf", 660, 200, 120, 12},
                   {"crate", 160, 440, 150, 110},
                   {"barrel", 620, 420, 110, 130},
                   {"hay", 400, 470, 150, 80, 0x2a2a2a}},
     .objects = "Wrench:1F527:44|Hammer:1F528:40|Cog:2699:38|Bolt:1F529:28|Oil drum:1F6E2:40|"
                "Fire:1F525:36|Rock:1FAA8:34|Timer:23F2:38|Toolbox:1F9F0:42|Magnet:1F9F2:34|"
                "Battery:1F50B:38|Light bulb:1F4A1:34|Plug:1F50C:36|Chain:26D3:40|Lantern:1F3EE:40|"
                "Gloves:1F9E4:36|Helmet:26D1:40|Axe:1FA93:46|Bucket:1FAA3:42|Extinguisher:1F9EF:44",
     .group = "Spark:2728:24",
     .combined = "Crown:1F451:56",
     .pieces = 2,
     .location = "Card box:1F5C3:80"},
    // 27 Old Well: a stone well in the walled garden at dusk.
    {.wall = "night",
     .floor = "earth",
     .wallColour = 0x4a5060,
     .accentColour = 0x3a4050,
     .floorColour = 0x4a4a32,
     .light = 0xd8d0e8,
     .floorLine = 400,
     .furniture = {{"well", 330, 230, 240, 220},
                   {"decorfront", 140, 240, 150, 170, 0, 0x1F333},
                   {"table", 600, 350, 170, 80, 0x6a5a4a},
                   {"bench", 170, 420, 200, 80, 0x6a6a6a},
                   {"crate", 640, 460, 130, 100},
                   {"lamp", 600, 212, 44, 60, 0, 0x1F3EE}},
     .objects = "Bucket:1FAA3:44|Rope:1FAA2:40|Frog:1F438:36|Snail:1F40C:32|Mushroom:1F344:30|"
                "Owl:1F989:40|Cat:1F408:44|Fox:1F98A:40|Hedgehog:1F994:36|Squirrel:1F43F:36|"
                "Chestnut:1F330:28|Leaf:1F343:36|Broom:1F9F9:54|Pickaxe:26CF:48|Bird:1F426:34|"
                "Rock:1FAA8:32|Worm:1FAB1:30|Rose:1F339:34|Apple:1F34E:30|Purse:1F45B:34",
     .group = "Coin:1FA99:24",
     .combined = "Dice:1F3B2:56",
     .pieces = 2,
     .location = "Board:265F:80"},
    // 28 Chapel: pews and coloured glass.
    {.wall = "stone",
     .floor = "flags",
     .wallColour = 0x6a6460,
     .accentColour = 0x5a5450,
     .floorColour = 0x5a5248,
     .light = 0xf0e0ff,
     .floorLine = 410,
     .furniture = {{"stained", 360, 40, 180, 260},
                   {"stained", 170, 70, 110, 200},
                   {"stained", 620, 70, 110, 200},
                   {"altar", 350, 300, 200, 110, 0xe8e0d0},
                   {"lamp", 300, 280, 40, 60, 0, 0x1F56F},
                   {"lamp", 560, 280, 40, 60, 0, 0x1F56F},
                   {"pew", 150, 430, 250, 80, 0x5a3a1a},
                   {"pew", 500, 430, 270, 80, 0x5a3a1a}},
     .objects = "Bell:1F514:40|Pearl:1F9AA:28|Open book:1F4D6:40|Scroll:1F4DC:42|Trophy:1F3C6:40|"
                "Dove:1F54A:40|Rose:1F339:34|Tulip:1F337:38|Old key:1F5DD:36|Lantern:1F3EE:40|"
                "Banjo:1FA95:48|Angel:1F47C:40|Crown:1F451:38|Ring:1F48D:28|Shell:1F41A:32|"
                "Herb:1F33F:38|Hourglass:231B:40|Feather:1FAB6:40|Bread:1F35E:34|Wine glass:1F377:38",
     .group = "Star:2B50:24",
     .combined = "Magnifier:1F50D:60",
     .pieces = 2,
     .location = "Mirror:1FA9E:80"},
    // 29 Crypt: vaults, tombs and cobwebs.
    {.wall = "stone",
     .floor = "flags",
     .wallColour = 0x4a4a4e,
     .accentColour = 0x3a3a3e,
     .floorColour = 0x403c38,
     .light = 0xc8d0e0,
     .floorLine = 400,
     .furniture = {{"arch", 160, 60, 180, 250},
                   {"arch", 560, 60, 180, 250},
                   {"altar", 350, 270, 200, 130, 0x8a8a88},
                   {"lamp", 430, 200, 50, 60, 0, 0x1F56F},
                   {"decorfront", 150, 400, 130, 150, 0, 0x26B1},
                   {"barrel", 620, 430, 110, 130},
                   {"crate", 330, 460, 140, 100}},
     .objects = "Skull:1F480:38|Bone:1F9B4:40|Mask:1F3AD:40|Spider:1F577:32|Web:1F578:46|"
                "Bat:1F987:40|Rat:1F400:40|Old key:1F5DD:36|Lantern:1F3EE:40|Scroll:1F4DC:42|"
                "Coffin:26B0:48|Dagger:1F5E1:48|Amulet:1F9FF:32|Crystal:1F52E:36|Trophy:1F3C6:40|"
                "Ring:1F48D:28|Chain:26D3:40|Coin bag:1F4B0:40|Shield:1F6E1:42|Bird:1F426:36",
     .group = "Coin:1FA99:24",
     .combined = "Envelope:2709:56",
     .pieces = 2,
     .location = "Mailbox:1F4EB:80"},
    // 30 Stables: stalls, hay and harness.
    {.wall = "plank",
     .floor = "straw",
     .wallColour = 0x6a4a30,
     .accentColour = 0x5a3a22,
     .floorColour = 0x8a7040,
     .light = 0xffe0a8,
     .floorLine = 400,
     .furniture = {{"stall", 140, 200, 220, 200, 0x6a4a2a},
                   {"stall", 560, 200, 220, 200, 0x6a4a2a},
                   {"decor", 400, 262, 170, 180, 0, 0x1F40E},
                   {"window", 400, 60, 140, 110, 0x9ac0e8},
                   {"wallshelf", 150, 140, 200, 12},
                   {"wallshelf", 570, 150, 200, 12},
                   {"hay", 170, 440, 170, 100},
                   {"barrel", 620, 430, 110, 130},
                   {"hay", 420, 470, 150, 80},
                   {"lamp", 380, 110, 44, 60, 0, 0x1F3EE}},
     .objects = "Comb:1FAAE:38|Sheaf:1F33E:44|Carrot:1F955:40|Green apple:1F34F:30|Bucket:1FAA3:42|"
                "Toothbrush:1FAA5:40|Rope:1FAA2:40|Boot:1F462:44|Cowboy:1F920:40|Milk:1F95B:36|"
                "Hen:1F414:40|Chick:1F424:30|Egg:1F95A:28|Cat:1F408:42|Mouse:1F401:30|"
                "Trident:1F531:52|Corn:1F33D:42|Trophy:1F3C6:40|Ribbon:1F397:36|Bell:1F514:34",
     .group = "Clover:1F340:24",
     .combined = "Joker:1F0CF:56",
     .pieces = 2,
     .location = "Card table:1F3B4:80"},
    // 31 The Study: the master's desk at night.
    {.wall = "panel",
     .floor = "carpet",
     .wallColour = 0x3a2a20,
     .accentColour = 0x2a1a14,
     .floorColour = 0x5a2020,
     .light = 0xffd8a0,
     .floorLine = 400,
     .furniture = {{"bookcase", 140, 40, 200, 360, 0x3a2010},
                   {"window", 380, 60, 150, 200, 0x1a2450},
                   {"fireplace", 570, 130, 210, 270},
                   {"table", 330, 300, 260, 100, 0x3a2010},
                   {"lamp", 360, 220, 60, 80, 0, 0x1FA94},
                   {"armchair", 150, 410, 170, 150, 0x3a2a4a},
                   {"rug", 460, 490, 300, 70, 0x5a2a2a},
                   {"decorfront", 640, 440, 100, 130, 0, 0x1F3FA}},
     .objects =
         "Feather:1FAB6:44|Fountain pen:1F58B:40|Love letter:1F48C:36|Postbox:1F4EE:38|Cigarette:1F6AC:40|"
         "Watch:231A:32|Magnifier:1F50E:38|Globe:1F30D:44|Candle:1F56F:38|Book:1F4D5:40|"
         "Old key:1F5DD:36|Dagger:1F5E1:48|Letter:2709:36|Telephone:260E:42|Map:1F5FA:42|"
         "Ledger:1F4D2:40|Tumbler:1F943:36|War medal:1F396:34|Pistol:1F52B:44|Key:1F511:30",
     .group = "Page:1F4C4:26",
     .combined = "Puzzle:1F9E9:60",
     .pieces = 3,
     .location = "Frame:1F5BC:80"},
};

// "Name:1F511:40|Other:2602" into objects; the size is optional.
std::vector<RoomObject> objects(const std::string& list)
{
    std::vector<RoomObject> result;
    size_t start = 0;
    while (start < list.size())
    {
        size_t end = list.find('|', start);
        if (end == std::string::npos)
            end = list.size();
        std::string part = list.substr(start, end - start);
        size_t colon = part.find(':'), second = part.find(':', colon + 1);
        RoomObject object;
        object.name = part.substr(0, colon);
        object.emoji =
            char32_t(std::strtoul(part.substr(colon + 1, second - colon - 1).c_str(), nullptr, 16));
        if (second != std::string::npos)
            object.size = std::atoi(part.substr(second + 1).c_str());
        result.push_back(object);
        start = end + 1;
    }
    return result;
}

RoomObject object(const std::string& text)
{
    return objects(text).front();
}

std::vector<SceneRoom> buildRooms()
{
    std::vector<SceneRoom> rooms;
    for (const RoomRow& row : kRooms)
    {
        SceneRoom room;
        room.number = int(rooms.size()) + 1;
        room.wall = row.wall;
        room.floor = row.floor;
        room.wallColour = row.wallColour;
        room.accentColour = row.accentColour;
        room.floorColour = row.floorColour;
        room.light = row.light;
        room.floorLine = row.floorLine;
        room.furniture = row.furniture;
        room.objects = objects(row.objects);
        room.group = object(row.group);
        room.combined = object(row.combined);
        room.pieces = row.pieces;
        room.location = object(row.location);
        rooms.push_back(std::move(room));
    }
    return rooms;
}

} // namespace

const std::vector<SceneRoom>& sceneRooms()
{
    static const std::vector<SceneRoom> rooms = buildRooms();
    return rooms;
}

} // namespace contentgen

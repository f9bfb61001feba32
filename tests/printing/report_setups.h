#pragma once
// Setups the report tests print: the factory setup, one with functions, setpoints,
// timers, page formats and a description longer than a line, and a busy one that
// adds a function longer than a page, labels with fields and control codes, and
// descriptions and a prompt with control bytes and a letter outside ASCII.

#include "model/bytes.h"
#include "model/image_map.h"
#include "model/param_items.h"
#include "printing/label_codec.h"
#include "script/tally_script.h"

#include <string>
#include <vector>

namespace quelvar::test {

inline Setup factorySetup()
{
    Setup setup;
    ResetSetupToDefaults(setup.image);
    return setup;
}

inline Setup fullSetup()
{
    Setup setup = factorySetup();
    setup.description = "Truck scale, two decks, north gate.\r\nPrints a ticket on each weighing; "
                        "the second deck is summed into Memory1 and the ticket waits until the "
                        "scale settles before it prints.";
    writeText(setup.functionDescriptions, 256, 256, "Sum the decks");
    const std::vector<std::string> user1 = {"Add\tMemory1\tGross\tTare\tsum",
                                            "If\tMotion\t\t\t",
                                            "Prompt\tWAIT\t\t\t",
                                            "End if\t\t\t\t",
                                            "Gosub\tUser3\t\t\t",
                                            "End\t\t\t\t"};
    CompileListing(setup, 1, user1, true);
    const std::vector<std::string> user3 = {"Set\tMemory2\t44\t\tcount", "End\t\t\t\t"};
    CompileListing(setup, 3, user3, true);
    setup.image[image::functionSlotOffset(3) + 63] = 7;  // the listing mends the guard byte
    // Enough listings for the text block to flow onto another page.
    const std::vector<std::string> filler = {"Add\tMemory4\tNet\tTare\t", "Set\tMemory5\t1\t\t",
                                             "Gosub\tUser1\t\t\t", "End\t\t\t\t"};
    for (int n = 4; n <= 15; ++n)
        CompileListing(setup, n, filler, true);
    const std::uint8_t setpoints[][3] = {{64, 43, 2}, {115, 107, 129}, {200, 201, 99}};
    for (int n = 1; n <= 3; ++n)
        for (int b = 0; b < 3; ++b)
            setup.image[image::setpointOffset(n) + b] = setpoints[n - 1][b];
    writeWord(setup.image, image::timerOffset(1), 100);
    setup.image[image::timerOffset(1) + 2] = 1;
    writeWord(setup.image, image::timerOffset(5), 0);
    setup.image[image::timerOffset(5) + 2] = 3;
    const std::uint8_t entry[] = {2, 10, 31};  // an item code no page item carries
    for (int b = 0; b < 3; ++b)
        setup.image[image::pageFormatOffset(1) + 3 + b] = entry[b];
    return setup;
}

inline Setup busySetup()
{
    Setup setup = fullSetup();
    setup.description += "\r\nCaf\xE9\tgate\x01.";
    writeText(setup.functionDescriptions, 256, 256, "Sum the decks\r\nthen wait");
    setup.image[image::functionSlotOffset(1) + 8] = 1;  // User1's prompt reads W, 1, I, T
    std::vector<std::string> user2(63, "Nop\t\t\t\t");
    user2.push_back("End\t\t\t\t");
    CompileListing(setup, 2, user2, true);
    const std::pair<int, const char*> labels[] = {{84, "Ticket {Tkt}  Net <N> kg"},
                                                  {32, "A<10>B<12>C"},
                                                  {85, "Temp \260C"},
                                                  {86, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"}};
    for (const auto& [number, text] : labels)
        storeLabel(setup.image, *findPrintLabel(number), text);
    return setup;
}

}  // namespace quelvar::test

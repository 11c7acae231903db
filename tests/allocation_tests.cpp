// Lookups and a keystroke must not touch the heap: this program counts every allocation.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "catalogue.h"
#include "memory_view.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace quillon::testing {
namespace {

TEST(Allocations, NoneInTheCatalogueLookups) {
    const long before = allocations.load();
    int found = 0;
    for (const CategoryId id : {CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike}) {
        for (const CatalogueEntry& entry : category(id).entries) {
            found += findExact(id, entry.name) >= 0 ? 1 : 0;
            found += entryAt(id, findExact(id, entry.name)) != nullptr ? 1 : 0;
        }
        found += findExact(id, u"no_such_function_anywhere") >= 0 ? 1 : 0;
        found += entryAt(id, -1) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(found, 2 * 324);
}

TEST(Allocations, NoneInASearchKeystrokeOnceTheBoxesHaveGrown) {
    MemoryView view;
    MainWindowController controller{view};
    view.connect(controller);
    controller.Form_Load();
    view.description.setText(entryAt(CategoryId::Core, 203)->description);
    std::u16string text = u"register_clcm";
    text.reserve(64);
    view.search.setText(u"register_clcmd_and_more_than_that");

    const long before = allocations.load();
    text.push_back(u'd');
    view.search.setText(text);
    text.pop_back();
    view.search.setText(text);
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(view.lists[1].selection(), NO_SELECTION);
    EXPECT_EQ(view.description.text(), entryAt(CategoryId::Core, 203)->description);
}

}  // namespace
}  // namespace quillon::testing

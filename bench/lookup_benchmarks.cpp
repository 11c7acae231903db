#include <benchmark/benchmark.h>

#include <string>

#include "catalogue.h"
#include "test_view.h"

namespace quillon::testing {
namespace {

// One keystroke in the search box with all three lists filled: three list searches and, on
// a match, the description shown. Alternates a hit deep in the core list with a miss.
void BM_Text2ChangeKeystroke(benchmark::State& state) {
    TestView view;
    view.controller().Form_Load();
    const std::u16string hit = u"xvar_exists";
    const std::u16string miss = u"xvar_exist";
    bool typeHit = true;
    for (auto _ : state) {
        view.text2().setText(typeHit ? hit : miss);
        typeHit = !typeHit;
        benchmark::DoNotOptimize(view.text1().text().data());
    }
}
BENCHMARK(BM_Text2ChangeKeystroke);

void BM_FindExactEveryName(benchmark::State& state) {
    for (auto _ : state) {
        int sum = 0;
        for (const CategoryId id : {CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike}) {
            for (const CatalogueEntry& entry : category(id).entries) {
                sum += findExact(id, entry.name);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 324);
}
BENCHMARK(BM_FindExactEveryName);

}  // namespace
}  // namespace quillon::testing

BENCHMARK_MAIN();

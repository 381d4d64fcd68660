// A long run of the simulation: the grid refines to the end, balls escape and are removed, and the
// heap does not grow.
#include "ball_camera.h"
#include "osmesa_context.h"
#include "uniform_source.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORPANE_ASAN 1
#endif
#endif
#ifdef __SANITIZE_ADDRESS__
#define VORPANE_ASAN 1
#endif

#ifdef VORPANE_ASAN
// From the sanitizer runtime; GCC installs no header for it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

std::size_t heap_in_use()
{
#ifdef VORPANE_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

TEST(Soak, TenThousandStepsWithoutGrowth)
{
    vorpane::osmesa_context context(16, 16);
    vorpane::uniform_source::seed(4242);
    vorpane::ball_camera scene(vorpane::ball_camera::stepping::manual);
    scene.resize(1024, 768);
    for (int s = 0; s < 60; ++s) { // every trail full
        scene.step();
    }
    const std::size_t balls_before = scene.balls.size();
    const std::size_t heap_before = heap_in_use();
    for (int s = 0; s < 10000; ++s) {
        scene.step();
    }
    EXPECT_TRUE(scene.grid.finished());
    EXPECT_LT(scene.balls.size(), balls_before) << "some orbits escape on the way";
    EXPECT_LE(heap_in_use(), heap_before);
}

} // namespace

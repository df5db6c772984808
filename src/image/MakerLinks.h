#pragma once

#include <string_view>

namespace tarnwick {

// Where the bridge's maker publishes the full program and the bridge itself; the
// missing-picture message and the About box point the operator there.
struct MakerLinks {
    std::string_view webSite;
    std::string_view productPage;
};

inline constexpr MakerLinks kMakerLinks{
    .webSite = "http://www.velquin.example/",
    .productPage = "http://www.velquin.example/products/spi-bridge.html",
};

}  // namespace tarnwick

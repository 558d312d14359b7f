#pragma once

#include "net/ChronyServer.h"

#include <gtest/gtest.h>

namespace rimo::test {

// A test fixture (on `Base`) with one chronyd for its whole suite; the tests
// are skipped, saying why, where chronyd cannot run.
template <typename Base> class WithChrony : public Base {
protected:
    static void SetUpTestSuite() { chrony_ = new ChronyServer; }
    static void TearDownTestSuite() {
        delete chrony_;
        chrony_ = nullptr;
    }
    void SetUp() override {
        if (!chrony_->Running()) {
            GTEST_SKIP() << chrony_->WhyNot();
        }
    }
    static const ChronyServer& Chrony() { return *chrony_; }

private:
    static inline ChronyServer* chrony_ = nullptr;
};

} // namespace rimo::test

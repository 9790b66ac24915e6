#pragma once
// A window test fixture run once per language: the language is put in force before the test
// makes its windows (see LanguageScope) and Japanese comes back after it.
// Thread rule: GUI thread only.

#include <gtest/gtest.h>

#include <optional>

#include "support/ui_language_param.h"

namespace vantrel::test {

template <typename Base>
class InEachLanguage : public Base, public ::testing::WithParamInterface<UiLanguage> {
protected:
    void SetUp() override {
        language_.emplace(GetParam());
        ASSERT_TRUE(language_->Installed());
        Base::SetUp();
    }
    void TearDown() override {
        Base::TearDown();
        language_.reset();
    }

private:
    std::optional<LanguageScope> language_;
};

// Instantiates `suite` in Japanese and in English.
#define VANTREL_IN_EACH_LANGUAGE(suite)                                              \
    INSTANTIATE_TEST_SUITE_P(Languages, suite,                                       \
                             ::testing::ValuesIn(::vantrel::test::kWindowLanguages), \
                             ::vantrel::test::LanguageName)

}  // namespace vantrel::test

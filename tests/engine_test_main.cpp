// The main of a test program that drives the form in the engine: the res:
// scheme is made known before the one application of the program exists.
#include "res_scheme_handler.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace formulario;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    CResSchemeHandler::RegisterScheme();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}

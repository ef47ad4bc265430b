#include "formulario7316_app.h"
#include "res_scheme_handler.h"

int main(int argc, char** argv)
{
    CResSchemeHandler::RegisterScheme();
    CFormulario7316App app(argc, argv);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}

// Sets the Japanese interface font for the whole application.
#include "app/interface_font.h"

#include <QApplication>
#include <QFont>

namespace app {

void SetInterfaceFont(QApplication& application)
{
    QFont font = application.font();
    font.setFamilies({kInterfaceFontFamily});
    application.setFont(font);
}

}

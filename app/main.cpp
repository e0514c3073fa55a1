#include "orvex_obj_list.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Orvex_Obj_List window;
    window.show();
    return app.exec();
}

#include "app/CBurnApp.h"

int main(int argc, char **argv)
{
    CBurnApp app;
    return app.Run(argc, argv);
}

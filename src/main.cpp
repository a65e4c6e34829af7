#include "app/application.h"

int main(int argc, char *argv[])
{
    return vornel::runApplication(argc, argv);
}

// The search progress animation.
#include "search/SearchAnimation.h"

void startSearchAnimation()
{
}

void stopSearchAnimation()
{
}

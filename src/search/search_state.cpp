#include "search/search_state.h"

namespace vornel {

SearchState &searchState()
{
    static SearchState state;
    return state;
}

void resetSearchState()
{
    searchState() = SearchState();
}

} // namespace vornel

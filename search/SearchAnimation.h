// The search progress animation: six frames drawn into the form's picture by
// a thread of its own while the user-interface thread searches.
#pragma once

// Shows the picture and starts the animation thread.
void startSearchAnimation();
// Asks the animation to end; harmless when none runs.
void stopSearchAnimation();

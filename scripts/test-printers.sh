# Sourced by run-tests.sh: starts a private CUPS daemon with PDF queues for the printing tests.
:

# Sourced by the scripts that check or report the shipped installer's size: it is
# downloaded with every plug-in pack, so it must stay small.
size_limit=262144

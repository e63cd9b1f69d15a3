#!/usr/bin/perl
# Perl's own loop over a list page, as a peer for the extraction benchmark:
#   perl_loop.pl PAGE PATTERN SECONDS
# Matches the pattern with letter case ignored and ASCII classes (as the
# extractor's byte classes), reads both groups of every match, and prints
# "<MB/s> <matches per page>", counting processor time as Google Benchmark does,
# so that other work on the machine does not count against it.
use strict;
use warnings;

my ($file, $pattern, $seconds) = @ARGV;
open(my $in, '<:raw', $file) or die "$file: $!";
my $page = do { local $/; <$in> };
close $in;
my $re = qr/$pattern/iaa;

my ($passes, $found, $bytes) = (0, 0, 0);
sub cpu { my ($user, $system) = times; return $user + $system; }
my $start = cpu();
while (cpu() - $start < $seconds) {
  $found = 0;
  while ($page =~ /$re/g) {
    my ($path, $title) = ($1, $2);
    $bytes += length($path) + length($title);
    ++$found;
  }
  ++$passes;
}
my $elapsed = cpu() - $start;
printf "%.1f %d\n", $passes * length($page) / $elapsed / 1e6, $found;

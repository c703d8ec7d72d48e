#!/usr/bin/perl -w
# Sample Perl script
use strict;
use vars qw($total);

my $count = 0;
my @names = ('alpha', "beta \"quoted\"\\", """tripled");
my %seen;
foreach my $name (@names) {
    next if $name eq '' or not defined $name;
    $seen{$name}++;
    $count += 1.5e-3 + .5 + 0x1F + 10-x;
    print "open string
}
print STDERR $0, $^W, $_, @ARGV, %INC, $ARGV, "\n";
my $line = $count x
  3;
$total = $count <=> 2 ? $a . $b : `ls` . "\x80" . ñ;
printf("%d\n", $count % 2) until 1;

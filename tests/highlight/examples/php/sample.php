<?php
# Sample PHP script
// with comments of every kind
/* a block comment
   over two lines */
namespace Demo;

function greet($who, $count = 10) {
    $total = 1.5e-3 + 0x1F + 10-x;
    echo "Hello {$who['first']} and $who->last, ${count} times: $items[0] $map['key']\n";
    echo 'single $quoted \'string\'';
    $text = "a string that goes
on to the next line with $who";
    $raw = 'and a single-quoted one
that does too';
    if ($count >= 2 && !empty($who)) { return TRUE; }
    $x = `ls` . \Demo\other();
}
?>

/**
 * Sample class with a documentation comment.
 */
package demo;

import java.util.List;

@SuppressWarnings("unchecked")
public class Sample extends Object implements Runnable {
    /* an ordinary comment
       over two lines */
    private static final long MASK = 0xFFL;
    private double rate = 1.5e-3, other = 10-x;
    private String $name = "say \"hi\"\\", path = "C:\\";
    private char quote = '\'';
    /**/ int empty;

    enum Color { RED, GREEN }

    public void run() {
        // a line comment
        for (int i = 0; i < 10; i++) {
            if (i >>> 1 != 0 && i % 2 == 0) assert i > 0;
        }
        x = a # b;
        y = `tick`;
    }
}
